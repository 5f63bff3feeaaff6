#include "help/helptopics.h"
#include "help/tfrmguida.h"

#include "support/fakes.h"
#include "support/widgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;
using help::TopicId;

Q_DECLARE_METATYPE(tarvola::help::TopicId)

namespace {

const QString crlf2 = QStringLiteral("\r\n\r\n");

QString exportText(const QString& what) {
    return QStringLiteral("Il pulsante Esporta archivio consente di esportare ") + what +
           QStringLiteral(" in un foglio di lavoro di Microsoft Excel, che potrà essere aperto "
                          "con qualsiasi software in grado di gestire i file in formato XLS (ad "
                          "esempio, con Open Office, Libre Office o Microsoft Office).") +
           crlf2 +
           QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna "
                          "fare clic sull'icona di Excel. Questa operazione crea in tempo reale "
                          "un file in formato XLS contenente le schede in archivio, che potrà "
                          "essere aperto immediatamente rispondendo affermativamente al "
                          "messaggio di domanda che appare.") +
           crlf2 +
           QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                          "assegnandogli un nome qualsiasi.");
}

// The paragraphs as the help window shows them: one empty line between two paragraphs.
QStringList shownParagraphs(const QString& text) {
    return text.split(QStringLiteral("\n\n"));
}

} // namespace

class TestGuida : public QObject {
    Q_OBJECT

    QTemporaryDir m_program;
    std::unique_ptr<FakeServices> m_fake;

    void openTopic(TopicId id, const std::function<void(QWidget*)>& inside) {
        QVERIFY(whileModal([&] { openHelp(m_fake->services, nullptr, id); }, inside));
    }

private slots:
    void init() {
        QVERIFY(m_program.isValid());
        m_fake = std::make_unique<FakeServices>(m_program.path());
    }

    void everyTopicHasItsTitleAndParagraphs_data() {
        QTest::addColumn<TopicId>("id");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::newRow("launcher") << TopicId::Panoramica
                                  << QStringLiteral("Uno sguardo a Tarvola 3.0") << 45;
        QTest::newRow("red prescriptions")
            << TopicId::Ricette << QStringLiteral("App Ricette Mediche Rosse") << 11;
        QTest::newRow("drugs") << TopicId::Farmaci << QStringLiteral("App Archivio Farmaci") << 7;
        QTest::newRow("patients") << TopicId::Pazienti << QStringLiteral("App Archivio Pazienti")
                                  << 13;
        QTest::newRow("prescriptions")
            << TopicId::Prescrizioni << QStringLiteral("App Emissione Prescrizioni") << 8;
        QTest::newRow("export red prescriptions")
            << TopicId::EsportaRicette
            << QStringLiteral("Esportazione archivio ricette in Microsoft Excel") << 3;
        QTest::newRow("export drugs")
            << TopicId::EsportaFarmaci
            << QStringLiteral("Esportazione archivio farmaci in Microsoft Excel") << 3;
        QTest::newRow("export patients")
            << TopicId::EsportaPazienti
            << QStringLiteral("Esportazione archivio pazienti in Microsoft Excel") << 3;
        QTest::newRow("export prescriptions")
            << TopicId::EsportaPrescrizioni
            << QStringLiteral("Esportazione archivio prescrizioni in Microsoft Excel") << 3;
    }
    void everyTopicHasItsTitleAndParagraphs() {
        QFETCH(TopicId, id);
        QFETCH(QString, title);
        QFETCH(int, count);
        const help::Topic topic = help::topic(id);
        QCOMPARE(topic.title, title);
        const QStringList parts = topic.text.split(crlf2);
        QCOMPARE(parts.size(), count);
        for (const QString& p : parts) {
            // Whole sentences, no stray line breaks or blanks inside the separators.
            QVERIFY2(!p.contains(u'\r') && !p.contains(u'\n'), qPrintable(p));
            QCOMPARE(p.trimmed(), p);
            QVERIFY2(p.size() > 40 && p.endsWith(u'.'), qPrintable(p));
        }
        QVERIFY(help::allTopics().contains(id));
    }

    void exportTopicsHaveTheirFixedTexts_data() {
        QTest::addColumn<TopicId>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("red prescriptions")
            << TopicId::EsportaRicette
            << exportText(QStringLiteral("le schede dell'archivio delle ricette"));
        QTest::newRow("prescriptions")
            << TopicId::EsportaPrescrizioni
            << exportText(QStringLiteral("le schede dell'archivio delle prescrizioni"));
        QTest::newRow("drugs") << TopicId::EsportaFarmaci
                               << exportText(QStringLiteral("le schede dell'archivio dei farmaci"));
        QTest::newRow("patients") << TopicId::EsportaPazienti
                                  << exportText(
                                         QStringLiteral("i dati anagrafici di tutti i pazienti"));
    }
    void exportTopicsHaveTheirFixedTexts() {
        QFETCH(TopicId, id);
        QFETCH(QString, text);
        QCOMPARE(help::topic(id).text, text);
    }

    // The overview tells about the apps with the apps' own paragraphs, in launcher order.
    void overviewRepeatsTheAppTopics() {
        const QStringList all = help::topic(TopicId::Panoramica).text.split(crlf2);
        const QStringList ricette = help::topic(TopicId::Ricette).text.split(crlf2);
        QCOMPARE(all.mid(29, 11), ricette);
        QCOMPARE(all.mid(1, 13), help::topic(TopicId::Pazienti).text.split(crlf2));
        QCOMPARE(all.mid(14, 7), help::topic(TopicId::Farmaci).text.split(crlf2));
        QCOMPARE(all.mid(21, 8), help::topic(TopicId::Prescrizioni).text.split(crlf2));
        QVERIFY(all[41].contains(QStringLiteral("\"chiaveiniziale\"")));
        QVERIFY(all[41].contains(QStringLiteral("otto caratteri")));
        QCOMPARE(help::overview().title, QStringLiteral("Uno sguardo a Tarvola 3.0"));
    }

    void redPrescriptionHelpShowsElevenParagraphsReadOnly() {
        openTopic(TopicId::Ricette, [](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
            QCOMPARE(control<QLabel>(w, QStringLiteral("lblTitolo"))->text(),
                     QStringLiteral("App Ricette Mediche Rosse"));
            auto* text = control<QPlainTextEdit>(w, QStringLiteral("txtGuida"));
            QVERIFY(text->isReadOnly());
            const QString before = text->toPlainText();
            const QStringList paragraphs = shownParagraphs(before);
            QCOMPARE(paragraphs.size(), 11);
            for (const QString& p : paragraphs)
                QVERIFY2(!p.isEmpty() && !p.contains(u'\n'), qPrintable(p));
            QVERIFY(paragraphs.first().startsWith(QStringLiteral("L'app Ricette Mediche Rosse")));

            text->setFocus();
            typeText(text, QStringLiteral("xyz è"));
            QTest::keyClick(text, Qt::Key_Backspace);
            QTest::keyClick(text, Qt::Key_Delete);
            QTest::keyClick(text, Qt::Key_Return);
            QCOMPARE(text->toPlainText(), before);
        });
    }

    void textWrapsAndScrolls() {
        openTopic(TopicId::Panoramica, [](QWidget* w) {
            QVERIFY(QTest::qWaitForWindowExposed(w));
            auto* text = control<QPlainTextEdit>(w, QStringLiteral("txtGuida"));
            QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
            QVERIFY(text->verticalScrollBar()->maximum() > 0);
            QCOMPARE(shownParagraphs(text->toPlainText()).size(), 45);
        });
    }

    void windowIsFixedWithoutTitleBarButtons() {
        openTopic(TopicId::Farmaci, [](QWidget* w) {
            QCOMPARE(w->size(), QSize(670, 572));
            QCOMPARE(w->minimumSize(), w->maximumSize());
            const Qt::WindowFlags flags = w->windowFlags();
            QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
            QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
            QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
            QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
            QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
            QTest::mouseClick(control<QPushButton>(w, QStringLiteral("btnChiudi")), Qt::LeftButton);
            QVERIFY(!w->isVisible());
        });
    }

    void guideLinkOpensGuidaPdfAndLeavesTheWindowAsItWas_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("link text") << QStringLiteral("lnkWeb");
        QTest::newRow("picture") << QStringLiteral("imgPDF");
    }
    void guideLinkOpensGuidaPdfAndLeavesTheWindowAsItWas() {
        QFETCH(QString, control);
        QVERIFY(!QFileInfo::exists(m_program.filePath(QStringLiteral("Guida.pdf"))));
        openTopic(TopicId::Pazienti, [control](QWidget* w) {
            auto* title = testing::control<QLabel>(w, QStringLiteral("lblTitolo"));
            auto* text = testing::control<QPlainTextEdit>(w, QStringLiteral("txtGuida"));
            const QString titleBefore = title->text();
            const QString textBefore = text->toPlainText();
            QCOMPARE(testing::control<QLabel>(w, QStringLiteral("lnkWeb"))->text(),
                     QStringLiteral("Visualizza guida in formato PDF"));
            QTest::mouseClick(testing::control<QLabel>(w, control), Qt::LeftButton);
            QVERIFY(w->isVisible());
            QCOMPARE(title->text(), titleBefore);
            QCOMPARE(text->toPlainText(), textBefore);
        });
        QCOMPARE(m_fake->shell.targets,
                 QStringList{u'"' + m_program.path() + QStringLiteral("/Guida.pdf\"")});
        QCOMPARE(m_fake->messages.shown.size(), 0);
    }

    void linkTurnsOrangeWhilePressed_data() {
        QTest::addColumn<QString>("pressed");
        QTest::newRow("on the text") << QStringLiteral("lnkWeb");
        QTest::newRow("on the picture") << QStringLiteral("imgPDF");
    }
    void linkTurnsOrangeWhilePressed() {
        QFETCH(QString, pressed);
        const QColor darkBlue(0x00, 0x00, 0x8B);
        const QColor orange(0xFF, 0x8C, 0x00);
        openTopic(TopicId::Ricette, [&](QWidget* w) {
            auto* link = control<QLabel>(w, QStringLiteral("lnkWeb"));
            auto* target = control<QLabel>(w, pressed);
            auto colour = [link] { return link->palette().color(QPalette::WindowText); };
            QCOMPARE(colour(), darkBlue);
            QTest::mousePress(target, Qt::LeftButton);
            QCOMPARE(colour(), orange);
            QTest::mouseRelease(target, Qt::LeftButton);
            QCOMPARE(colour(), darkBlue);
        });
    }
};

QTEST_MAIN(TestGuida)
#include "tst_guida.moc"
