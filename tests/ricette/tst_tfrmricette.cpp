// The red prescription window itself: its controls, the box-by-box keyboard, the tick
// boxes, clearing, the doctor lines it remembers, the status line and the windows it opens.

#include "ricettefixture.h"

#include "archive/settings.h"
#include "checks/tfrmcodfisc.h"
#include "checks/tfrmpartitaiva.h"
#include "help/helptopics.h"
#include "help/tfrmguida.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTextEdit>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

// "txtEse01..06" style shorthand expanded into the names it stands for.
QStringList names(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* item : items) {
        const QString text = QString::fromUtf8(item);
        const qsizetype dots = text.indexOf(QStringLiteral(".."));
        if (dots < 0) {
            out << text;
            continue;
        }
        const QString stem = text.left(dots - 2);
        const int first = text.mid(dots - 2, 2).toInt();
        const int last = text.mid(dots + 2).toInt();
        for (int i = first; i <= last; ++i)
            out << stem + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    return out;
}

const QStringList keyboardOrder = names({
    "txtAssistito",
    "txtIndirizzo",
    "txtCodFisc",
    "txtEse01..06",
    "txtProv01..02",
    "txtAsl01..03",
    "txtNum01..08",
    "txtPresc01..09",
    "txtCuf01..06",
    "txtConf01..03",
    "txtTipoRic01..02",
    "txtData01..06",
    "txtMedico01..04",
});

const QStringList toggleStems{
    QStringLiteral("NonEsente"), QStringLiteral("Reddito"), QStringLiteral("Sugg"),
    QStringLiteral("Ricov"),     QStringLiteral("Altro"),   QStringLiteral("U"),
    QStringLiteral("B"),         QStringLiteral("D"),       QStringLiteral("P")};

// Every text the window shows: labels, edits, and what was handed to it as properties.
QStringList shownTexts(QWidget* window) {
    QStringList texts;
    for (auto* l : window->findChildren<QLabel*>())
        texts << l->text();
    for (auto* e : window->findChildren<QTextEdit*>())
        texts << e->toPlainText();
    for (auto* e : window->findChildren<QPlainTextEdit*>())
        texts << e->toPlainText();
    for (const QByteArray& name : window->dynamicPropertyNames())
        texts << window->property(name.constData()).toString();
    return texts;
}

} // namespace

class TestTfrmRicette : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasItsName() {
        RicetteFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral(" Tarvola 3.0 - Ricette Mediche Rosse"));
        for (const QString& name : keyboardOrder)
            QVERIFY2(control<QLineEdit>(&f.window, name), qPrintable(name));
        for (const QString& stem : toggleStems) {
            QVERIFY(control<QWidget>(&f.window, QStringLiteral("btn%1_NO").arg(stem)));
            QVERIFY(control<QWidget>(&f.window, QStringLiteral("btn%1_SI").arg(stem)));
        }
        for (const QString& name :
             names({"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdTrova", "cmdFile", "cmdStampa",
                    "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "cmdEsporta",
                    "cmdIncompleti", "cmdGuida", "cmdEsci", "impPaziente", "impPresc01..09",
                    "btnCodFisc"}))
            QVERIFY2(control<QAbstractButton>(&f.window, name), qPrintable(name));
        for (const QString& name :
             names({"lblAsl", "lblProv", "lblConf", "lblData", "lblFile01..03", "lblDesc01..03"})) {
            QLabel* hidden = control<QLabel>(&f.window, name);
            QVERIFY2(hidden && hidden->isHidden(), qPrintable(name));
        }
        QVERIFY(control<QLabel>(&f.window, QStringLiteral("lblPosizione")));
        QVERIFY(control<QLabel>(&f.window, QStringLiteral("panInfo")));
        QCOMPARE(control<QCheckBox>(&f.window, QStringLiteral("chkCompletata"))->text(),
                 QStringLiteral("Completata"));
    }

    void limits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("length");
        QTest::newRow("patient") << "txtAssistito" << 50;
        QTest::newRow("address") << "txtIndirizzo" << 120;
        QTest::newRow("codice fiscale") << "txtCodFisc" << 16;
        QTest::newRow("line 1") << "txtPresc01" << 50;
        QTest::newRow("line 8") << "txtPresc08" << 50;
        QTest::newRow("line 9") << "txtPresc09" << 120;
        QTest::newRow("doctor") << "txtMedico03" << 50;
        QTest::newRow("box") << "txtNum05" << 1;
        QTest::newRow("date box") << "txtData06" << 1;
    }
    void limits() {
        QFETCH(QString, name);
        QFETCH(int, length);
        RicetteFixture f;
        QCOMPARE(f.edit(name)->maxLength(), length);
    }

    void enterFollowsTheKeyboardOrder() {
        RicetteFixture f;
        QVERIFY(f.open());
        QCOMPARE(f.focused(), QStringLiteral("txtAssistito"));
        QStringList visited{f.focused()};
        for (qsizetype i = 0; i < keyboardOrder.size(); ++i) {
            f.press(Qt::Key_Return);
            visited << f.focused();
        }
        QCOMPARE(visited, keyboardOrder + QStringList{QStringLiteral("txtAssistito")});
    }

    void boxKeys_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected"); // control=text pairs
        QTest::addColumn<QString>("focus");
        QTest::newRow("province fills both boxes")
            << "txtProv01"
            << "rm" << names({"txtProv01=R", "txtProv02=M"}) << "txtAsl01";
        QTest::newRow("one letter moves on") << "txtEse01"
                                             << "a" << names({"txtEse01=A"}) << "txtEse02";
        QTest::newRow("accented letters keep their case")
            << "txtCuf01"
            << "\u00e8" << names({"txtCuf01=\u00e8"}) << "txtCuf02";
        QTest::newRow("digits and punctuation")
            << "txtNum07"
            << "4-" << names({"txtNum07=4", "txtNum08=-"}) << "txtPresc01";
        QTest::newRow("a blank empties and moves on")
            << "txtConf01"
            << " " << names({"txtConf01="}) << "txtConf02";
        QTest::newRow("last date box goes to the doctor lines")
            << "txtData06"
            << "7" << names({"txtData06=7"}) << "txtMedico01";
        QTest::newRow("typing over a filled box replaces it")
            << "txtData01"
            << "9" << names({"txtData01=9"}) << "txtData02";
        QTest::newRow("free text stays where it is")
            << "txtCodFisc"
            << "rss" << names({"txtCodFisc=RSS"}) << "txtCodFisc";
        QTest::newRow("free text keeps its case")
            << "txtPresc03"
            << "Tachipirina" << names({"txtPresc03=Tachipirina"}) << "txtPresc03";
    }
    void boxKeys() {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        QFETCH(QString, focus);
        RicetteFixture f;
        QVERIFY(f.open());
        f.edit(start)->setFocus();
        f.type(typed);
        for (const QString& pair : expected) {
            const QStringList parts = pair.split(QLatin1Char('='));
            QCOMPARE(f.text(parts[0]), parts[1]);
        }
        QCOMPARE(f.focused(), focus);
    }

    void keysThatDoNotMoveOn_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backspace empties") << int(Qt::Key_Backspace) << "";
        QTest::newRow("delete empties") << int(Qt::Key_Delete) << "";
        QTest::newRow("left arrow") << int(Qt::Key_Left) << "X";
        QTest::newRow("right arrow") << int(Qt::Key_Right) << "X";
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << "X";
    }
    void keysThatDoNotMoveOn() {
        QFETCH(int, key);
        QFETCH(QString, expected);
        RicetteFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtAsl02"), QStringLiteral("x"));
        f.edit(QStringLiteral("txtAsl02"))->setFocus();
        f.press(Qt::Key(key));
        QCOMPARE(f.text(QStringLiteral("txtAsl02")), expected);
        QCOMPARE(f.focused(), QStringLiteral("txtAsl02"));
    }

    void boxesShowCapitalsWhateverSetsThem() {
        RicetteFixture f;
        f.setText(QStringLiteral("txtTipoRic01"), QStringLiteral("q"));
        QCOMPARE(f.text(QStringLiteral("txtTipoRic01")), QStringLiteral("Q"));
        f.setText(QStringLiteral("txtCodFisc"), QStringLiteral("bnclcu70b02f205x"));
        QCOMPARE(f.text(QStringLiteral("txtCodFisc")), QStringLiteral("BNCLCU70B02F205X"));
    }

    void togglesSwapTheirPictures() {
        RicetteFixture f;
        QVERIFY(f.open());
        for (const QString& stem : toggleStems)
            QVERIFY(!f.ticked(stem));
        f.click(QStringLiteral("btnB_NO"));
        f.click(QStringLiteral("btnU_NO"));
        QVERIFY(f.ticked(QStringLiteral("B")));
        QVERIFY(f.ticked(QStringLiteral("U")));
        QVERIFY(!f.ticked(QStringLiteral("D")));
        f.click(QStringLiteral("btnB_SI"));
        QVERIFY(!f.ticked(QStringLiteral("B")));
        QVERIFY(f.ticked(QStringLiteral("U")));
    }

    void openingShowsAnEmptyFormDatedToday() {
        RicetteFixture f;
        QCOMPARE(control<QLabel>(&f.window, QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
        for (int i = 0; i < 4; ++i)
            QVERIFY(settings::write(f.dir.path(), settings::medicoPrescrivente[i],
                                    QStringLiteral("RIGO %1").arg(i + 1)));
        QVERIFY(f.open());
        // The clock of the doubles says 14 March 2026.
        const QString today = QStringLiteral("140326");
        for (const QString& name : keyboardOrder) {
            QString expected;
            if (name.startsWith(QStringLiteral("txtData")))
                expected = today.mid(name.right(2).toInt() - 1, 1);
            else if (name.startsWith(QStringLiteral("txtMedico")))
                expected = QStringLiteral("RIGO %1").arg(name.right(1));
            QCOMPARE(f.text(name), expected);
        }
        QCOMPARE(f.focused(), QStringLiteral("txtAssistito"));
        QCOMPARE(f.position(), QString());
    }

    void newCardClearsAllButTheDoctorLines() {
        RicetteFixture f;
        QVERIFY(f.open());
        for (const QString& name : keyboardOrder)
            f.setText(name, QStringLiteral("Z"));
        for (const QString& stem : toggleStems)
            f.click(QStringLiteral("btn%1_NO").arg(stem));
        control<QCheckBox>(&f.window, QStringLiteral("chkCompletata"))->setChecked(true);
        for (const QString& name : names({"lblAsl", "lblProv", "lblConf", "lblData",
                                          "lblFile01..03", "lblDesc01..03", "lblPosizione"}))
            f.label(name)->setText(QStringLiteral("5"));
        f.fake.clock.date = QDate(2027, 11, 2);
        f.edit(QStringLiteral("txtPresc04"))->setFocus();

        f.click(QStringLiteral("cmdNuovo"));

        for (const QString& name : keyboardOrder) {
            QString expected;
            if (name.startsWith(QStringLiteral("txtData")))
                expected = QStringLiteral("021127").mid(name.right(2).toInt() - 1, 1);
            else if (name.startsWith(QStringLiteral("txtMedico")))
                expected = QStringLiteral("Z");
            QCOMPARE(f.text(name), expected);
        }
        for (const QString& stem : toggleStems)
            QVERIFY(!f.ticked(stem));
        QVERIFY(!control<QCheckBox>(&f.window, QStringLiteral("chkCompletata"))->isChecked());
        for (const QString& name : names({"lblAsl", "lblProv", "lblConf", "lblData",
                                          "lblFile01..03", "lblDesc01..03", "lblPosizione"}))
            QCOMPARE(f.label(name)->text(), QString());
        QCOMPARE(f.focused(), QStringLiteral("txtAssistito"));
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void closingKeepsTheDoctorLines() {
        RicetteFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtMedico01"), QStringLiteral("  DOTT. ROSSI  "));
        f.setText(QStringLiteral("txtMedico02"), QStringLiteral("Cardiologia, Città"));
        QSignalSpy closed(&f.window, &AppWindow::closed);
        f.click(QStringLiteral("cmdEsci"));
        QCOMPARE(closed.size(), 1);
        QVERIFY(f.fake.messages.shown.isEmpty());
        QCOMPARE(settings::read(f.dir.path(), settings::medicoPrescrivente[0]),
                 QStringLiteral("DOTT. ROSSI"));
        QCOMPARE(settings::read(f.dir.path(), settings::medicoPrescrivente[1]),
                 QStringLiteral("Cardiologia, Città"));
        QCOMPARE(settings::read(f.dir.path(), settings::medicoPrescrivente[3]), QString());

        // Shown again: a new form, with the lines just kept.
        f.setText(QStringLiteral("txtMedico01"), QString());
        QVERIFY(f.open());
        QCOMPARE(f.text(QStringLiteral("txtMedico01")), QStringLiteral("DOTT. ROSSI"));
    }

    void closingWarnsWhenTheLinesCannotBeKept() {
        RicetteFixture f;
        QVERIFY(QDir().mkdir(f.dir.filePath(QStringLiteral("Velmora.ini"))));
        QVERIFY(f.open());
        QSignalSpy closed(&f.window, &AppWindow::closed);
        f.window.close();
        QCOMPARE(f.fake.messages.texts(),
                 QStringList{settings::writeFailedMessage(settings::medicoPrescrivente[0])});
        QCOMPARE(closed.size(), 1);
    }

    void statusLineHints_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("key"); // named at the end of the tooltip
        QTest::newRow("save") << "cmdSalva"
                              << "Salva la ricetta corrente in archivio."
                              << QStringLiteral("Ctrl+S");
        QTest::newRow("last") << "cmdUltimo"
                              << "Visualizza l'ultima ricetta in archivio."
                              << QStringLiteral("Alt+End");
        QTest::newRow("open list")
            << "cmdIncompleti"
            << "Visualizza l'elenco delle ricette da completare." << QString();
        QTest::newRow("drug import") << "impPresc07"
                                     << "Importa i dati dall'archivio dei farmaci." << QString();
        QTest::newRow("patient import")
            << "impPaziente"
            << "Importa i dati dall'archivio dei pazienti." << QString();
        QTest::newRow("check") << "btnCodFisc"
                               << "Controlla il codice fiscale." << QString();
        QTest::newRow("completed") << "chkCompletata"
                                   << "Spunta questa casella per indicare che la compilazione "
                                      "della ricetta è stata completata."
                                   << QString();
    }
    void statusLineHints() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(QString, key);
        RicetteFixture f;
        QVERIFY(f.open());
        auto* line = control<QLabel>(&f.window, QStringLiteral("panInfo"));
        auto* target = control<QWidget>(&f.window, name);
        // The test screen is small: bring the control into view first.
        for (auto* area : f.window.findChildren<QScrollArea*>())
            area->ensureWidgetVisible(target);
        QTest::mouseMove(target);
        QTRY_COMPARE(line->text(), hint);
        QCOMPARE(target->toolTip(), key.isEmpty() ? hint : hint + QStringLiteral(" (%1)").arg(key));
        QCOMPARE(target->accessibleName(), hint);
        // The paper's background empties the line.
        for (auto* area : f.window.findChildren<QScrollArea*>())
            area->ensureVisible(0, 0);
        QTest::mouseMove(control<QWidget>(&f.window, QStringLiteral("imgModulo")), QPoint(3, 3));
        QTRY_COMPARE(line->text(), QString());
    }

    void codiceFiscaleButtonOpensTheRightCheck_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("window");
        QTest::newRow("empty") << ""
                               << "TfrmCodFisc";
        QTest::newRow("partita IVA") << "01234567890"
                                     << "TfrmPartitaIva";
        QTest::newRow("codice fiscale") << "RSSMRA80A01H501U"
                                        << "TfrmCodFisc";
    }
    void codiceFiscaleButtonOpensTheRightCheck() {
        QFETCH(QString, code);
        QFETCH(QString, window);
        RicetteFixture f;
        QVERIFY(f.open());
        f.setText(QStringLiteral("txtCodFisc"), code);
        QString opened;
        QVERIFY(whileModal([&] { f.click(QStringLiteral("btnCodFisc")); },
                           [&](QWidget* modal) { opened = modal->objectName(); }));
        QCOMPARE(opened, window);
        QCOMPARE(f.text(QStringLiteral("txtCodFisc")), code);
    }

    void helpShowsTheRedPrescriptionTopic() {
        RicetteFixture f;
        QVERIFY(f.open());
        QStringList texts;
        QVERIFY(whileModal([&] { f.click(QStringLiteral("cmdGuida")); },
                           [&](QWidget* modal) {
                               QVERIFY(qobject_cast<TfrmGuida*>(modal));
                               texts = shownTexts(modal);
                           }));
        QVERIFY(texts.contains(QStringLiteral("App Ricette Mediche Rosse")));
        // The help window shows the paragraphs with plain line ends.
        QString shown = help::topic(help::TopicId::Ricette).text;
        QVERIFY(texts.contains(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    }

    void helpTextHasElevenParagraphs() {
        const QStringList paragraphs =
            help::topic(help::TopicId::Ricette).text.split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 11);
        for (const QString& p : paragraphs) {
            QVERIFY(!p.trimmed().isEmpty());
            QVERIFY2(!p.contains(QLatin1Char('\n')) && !p.contains(QLatin1Char('\r')),
                     qPrintable(p));
        }
        QVERIFY(paragraphs[2].contains(QStringLiteral("Salva")));
        QVERIFY(paragraphs[7].contains(QStringLiteral("Duplica")));
        QVERIFY(paragraphs[10].contains(QStringLiteral("Excel")));
    }
};

QTEST_MAIN(TestTfrmRicette)
#include "tst_tfrmricette.moc"
