#include "archive/tfrmallegacartella.h"

#include "support/fakes.h"
#include "support/widgets.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QStringList labelNames = {QStringLiteral("lblFile01"), QStringLiteral("lblFile02"),
                                QStringLiteral("lblFile03"), QStringLiteral("lblDesc01"),
                                QStringLiteral("lblDesc02"), QStringLiteral("lblDesc03")};
const QStringList slotNumbers = {QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03")};

const QString overwriteQuestion =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo "
                   "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");

// Stands in for an editor: a window holding the six hidden attachment labels.
class FakeEditor : public QWidget {
public:
    FakeEditor() {
        for (const QString& name : labelNames) {
            auto* label = new QLabel(this);
            label->setObjectName(name);
            label->hide();
        }
    }
    QLabel* label(const QString& name) { return control<QLabel>(this, name); }
    QStringList values() {
        QStringList out;
        for (const QString& name : labelNames)
            out << label(name)->text();
        return out;
    }
    void set(const QStringList& values) {
        for (int i = 0; i < labelNames.size(); ++i)
            label(labelNames[i])->setText(values.value(i));
    }
};

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

void click(QWidget* window, const QString& name) {
    QAbstractButton* button = control<QAbstractButton>(window, name);
    QVERIFY(button);
    QVERIFY2(button->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
    QTest::mouseClick(button, Qt::LeftButton);
}

QString text(QWidget* window, const QString& name) {
    return control<QLineEdit>(window, name)->text();
}

bool enabled(QWidget* window, const QString& name) {
    return control<QPushButton>(window, name)->isEnabled();
}

} // namespace

class TestAllegaCartella : public QObject {
    Q_OBJECT

    QTemporaryDir m_program;
    QTemporaryDir m_outside; // where the user's own files are
    std::unique_ptr<FakeServices> m_fake;
    std::unique_ptr<FakeEditor> m_editor;

    QString stored(const QString& name) const {
        return m_program.path() + QStringLiteral("/Documenti_Allegati/") + name;
    }
    QString outside(const QString& name) const { return m_outside.path() + u'/' + name; }

    // Opens the window for the fake editor as its "Allega file" button does and runs
    // inside on it; fails when no window opened.
    void run(const QString& tag, const std::function<void(QWidget*)>& inside) {
        QVERIFY(
            whileModal([&] { openAttachments(m_fake->services, m_editor.get(), tag); }, inside));
    }

private slots:
    void init() {
        QVERIFY(m_program.isValid() && m_outside.isValid());
        QDir(m_program.path()).removeRecursively();
        QDir().mkpath(m_program.path());
        m_fake = std::make_unique<FakeServices>(m_program.path());
        m_editor = std::make_unique<FakeEditor>();
    }

    void emptyCardOpensWithThreeEmptySlots() {
        run(QStringLiteral("ricetta"), [](QWidget* w) {
            QCOMPARE(w->objectName(), QStringLiteral("TfrmAllegaCartella"));
            QCOMPARE(w->windowTitle(), QStringLiteral(" Allega file"));
            QCOMPARE(w->size(), QSize(609, 503));
            QCOMPARE(control<QLabel>(w, QStringLiteral("lblMemory"))->text(),
                     QStringLiteral("ricetta"));
            QVERIFY(control<QLabel>(w, QStringLiteral("lblMemory"))->isHidden());
            for (const QString& n : slotNumbers) {
                QCOMPARE(text(w, QStringLiteral("txtFile") + n), QString());
                QCOMPARE(text(w, QStringLiteral("txtDesc") + n), QString());
                QVERIFY(control<QLineEdit>(w, QStringLiteral("txtFile") + n)->isReadOnly());
                QVERIFY(!enabled(w, QStringLiteral("btnApri") + n));
                QVERIFY(enabled(w, QStringLiteral("btnSfoglia") + n));
            }
        });
    }

    void slotsStartFromTheCallersLabelsTrimmed() {
        m_editor->set({QStringLiteral("  referto.pdf "), QString(), QStringLiteral("foto.jpg"),
                       QStringLiteral(" Referto di marzo "), QStringLiteral("nota senza file"),
                       QString()});
        run(QStringLiteral("pazienti"), [](QWidget* w) {
            QCOMPARE(text(w, QStringLiteral("txtFile01")), QStringLiteral("referto.pdf"));
            QCOMPARE(text(w, QStringLiteral("txtFile02")), QString());
            QCOMPARE(text(w, QStringLiteral("txtFile03")), QStringLiteral("foto.jpg"));
            QCOMPARE(text(w, QStringLiteral("txtDesc01")), QStringLiteral("Referto di marzo"));
            QCOMPARE(text(w, QStringLiteral("txtDesc02")), QStringLiteral("nota senza file"));
            QVERIFY(enabled(w, QStringLiteral("btnApri01")));
            QVERIFY(!enabled(w, QStringLiteral("btnApri02")));
            QVERIFY(enabled(w, QStringLiteral("btnApri03")));
        });
    }

    void removingANameKeepsTheStoredFileAndTheDescription() {
        QVERIFY(writeFile(stored(QStringLiteral("referto.pdf")), "PDF"));
        m_editor->set({QStringLiteral("referto.pdf"), QString(), QString(),
                       QStringLiteral("Referto"), QString(), QString()});
        run(QStringLiteral("farmaci"), [](QWidget* w) {
            QVERIFY(enabled(w, QStringLiteral("btnApri01")));
            click(w, QStringLiteral("imgCancella01"));
            QCOMPARE(text(w, QStringLiteral("txtFile01")), QString());
            QVERIFY(!enabled(w, QStringLiteral("btnApri01")));
            QCOMPARE(text(w, QStringLiteral("txtDesc01")), QStringLiteral("Referto"));
            click(w, QStringLiteral("btnApplica"));
        });
        QCOMPARE(contents(stored(QStringLiteral("referto.pdf"))), QByteArray("PDF"));
        QCOMPARE(m_editor->values(),
                 (QStringList{QString(), QString(), QString(), QStringLiteral("Referto"), QString(),
                              QString()}));
    }

    void browsingCopiesTheFileIntoANewAttachmentsFolder() {
        // The program folder itself is missing too: every missing parent is created.
        const QString program = m_program.path() + QStringLiteral("/studio/Tarvola");
        FakeServices fake(program);
        QVERIFY(writeFile(outside(QStringLiteral("Esame sangue.pdf")), "esame"));
        fake.fileDialog.results << outside(QStringLiteral("Esame sangue.pdf"));
        QVERIFY(whileModal(
            [&] { openAttachments(fake.services, m_editor.get(), QStringLiteral("ricetta")); },
            [](QWidget* w) {
                QVERIFY(!enabled(w, QStringLiteral("btnApri02")));
                click(w, QStringLiteral("btnSfoglia02"));
                QCOMPARE(text(w, QStringLiteral("txtFile02")), QStringLiteral("Esame sangue.pdf"));
                QVERIFY(enabled(w, QStringLiteral("btnApri02")));
                click(w, QStringLiteral("btnApplica"));
            }));
        QCOMPARE(fake.fileDialog.titles,
                 QStringList{QStringLiteral("Selezionare il file da allegare:")});
        QCOMPARE(fake.fileDialog.filters, QStringList{QStringLiteral("Tutti i file (*.*)|*.*")});
        QCOMPARE(contents(program + QStringLiteral("/Documenti_Allegati/Esame sangue.pdf")),
                 QByteArray("esame"));
        QCOMPARE(fake.messages.shown.size(), 0);
        QCOMPARE(m_editor->label(QStringLiteral("lblFile02"))->text(),
                 QStringLiteral("Esame sangue.pdf"));
    }

    void sameNameAsksBeforeOverwriting_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("yes replaces the stored file") << Answer::Yes << QByteArray("nuovo");
        QTest::newRow("no keeps the stored file") << Answer::No << QByteArray("vecchio");
    }
    void sameNameAsksBeforeOverwriting() {
        QFETCH(Answer, answer);
        QFETCH(QByteArray, kept);
        QVERIFY(writeFile(stored(QStringLiteral("lastra.jpg")), "vecchio"));
        QVERIFY(writeFile(outside(QStringLiteral("lastra.jpg")), "nuovo"));
        m_fake->fileDialog.results << outside(QStringLiteral("lastra.jpg"));
        m_fake->messages.answers << answer;
        run(QStringLiteral("pazienti"), [](QWidget* w) {
            click(w, QStringLiteral("btnSfoglia01"));
            // Either way the slot names the file now stored under that name.
            QCOMPARE(text(w, QStringLiteral("txtFile01")), QStringLiteral("lastra.jpg"));
            click(w, QStringLiteral("btnApplica"));
        });
        QCOMPARE(m_fake->messages.texts(), QStringList{overwriteQuestion});
        QVERIFY(m_fake->messages.shown.first().question);
        QCOMPARE(contents(stored(QStringLiteral("lastra.jpg"))), kept);
        QCOMPARE(m_editor->label(QStringLiteral("lblFile01"))->text(),
                 QStringLiteral("lastra.jpg"));
    }

    void choosingTheStoredFileItselfNeitherAsksNorCopies() {
        QVERIFY(writeFile(stored(QStringLiteral("ecg.pdf")), "ecg"));
        m_fake->fileDialog.results << stored(QStringLiteral("ecg.pdf"));
        run(QStringLiteral("ricetta"), [](QWidget* w) {
            click(w, QStringLiteral("btnSfoglia03"));
            QCOMPARE(text(w, QStringLiteral("txtFile03")), QStringLiteral("ecg.pdf"));
        });
        QCOMPARE(m_fake->messages.shown.size(), 0);
        QCOMPARE(contents(stored(QStringLiteral("ecg.pdf"))), QByteArray("ecg"));
    }

    void cancellingTheFileDialogChangesNothing() {
        m_editor->set({QStringLiteral("a.txt")});
        run(QStringLiteral("ricetta"), [](QWidget* w) {
            click(w, QStringLiteral("btnSfoglia01"));
            click(w, QStringLiteral("btnSfoglia02"));
            QCOMPARE(text(w, QStringLiteral("txtFile01")), QStringLiteral("a.txt"));
            QCOMPARE(text(w, QStringLiteral("txtFile02")), QString());
            QVERIFY(!enabled(w, QStringLiteral("btnApri02")));
        });
        QCOMPARE(m_fake->fileDialog.titles.size(), 2);
        QCOMPARE(m_fake->messages.shown.size(), 0);
        QVERIFY(!QFileInfo::exists(m_program.path() + QStringLiteral("/Documenti_Allegati")));
    }

    void cancelAfterACopyLeavesTheCallerAsItWas_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Annulla") << true;
        QTest::newRow("closing the window") << false;
    }
    void cancelAfterACopyLeavesTheCallerAsItWas() {
        QFETCH(bool, byButton);
        const QStringList before = {QStringLiteral("vecchio.pdf"),     QString(), QString(),
                                    QStringLiteral("Vecchio referto"), QString(), QString()};
        m_editor->set(before);
        QVERIFY(writeFile(outside(QStringLiteral("nuovo.pdf")), "nuovo"));
        m_fake->fileDialog.results << outside(QStringLiteral("nuovo.pdf"));
        run(QStringLiteral("prescrizioni"), [byButton](QWidget* w) {
            click(w, QStringLiteral("btnSfoglia01"));
            typeText(control<QLineEdit>(w, QStringLiteral("txtDesc01")), QStringLiteral(" più"));
            if (byButton)
                click(w, QStringLiteral("btnAnnulla"));
            else
                w->close();
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(m_editor->values(), before);
        QCOMPARE(contents(stored(QStringLiteral("nuovo.pdf"))), QByteArray("nuovo"));
    }

    void applyWritesTheSixLabelsForEveryEditorTag_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("written");
        QTest::newRow("ricetta") << QStringLiteral("ricetta") << true;
        QTest::newRow("prescrizioni") << QStringLiteral("prescrizioni") << true;
        QTest::newRow("farmaci") << QStringLiteral("farmaci") << true;
        QTest::newRow("pazienti") << QStringLiteral("pazienti") << true;
        QTest::newRow("tag with blanks") << QStringLiteral(" farmaci ") << true;
        QTest::newRow("search tag is not an editor") << QStringLiteral("ricette") << false;
        QTest::newRow("other case") << QStringLiteral("Pazienti") << false;
        QTest::newRow("no tag") << QString() << false;
    }
    void applyWritesTheSixLabelsForEveryEditorTag() {
        QFETCH(QString, tag);
        QFETCH(bool, written);
        const QStringList before = {QStringLiteral("uno.pdf"),
                                    QStringLiteral("due.pdf"),
                                    QString(),
                                    QStringLiteral("Uno"),
                                    QString(),
                                    QString()};
        m_editor->set(before);
        bool stillOpen = false;
        run(tag, [&](QWidget* w) {
            click(w, QStringLiteral("imgCancella02"));
            auto* desc = control<QLineEdit>(w, QStringLiteral("txtDesc03"));
            typeText(desc, QStringLiteral("  Radiografia del torace, perché urgente  "));
            click(w, QStringLiteral("btnApplica"));
            stillOpen = w->isVisible();
        });
        QCOMPARE(stillOpen, !written);
        const QStringList after = {QStringLiteral("uno.pdf"),
                                   QString(),
                                   QString(),
                                   QStringLiteral("Uno"),
                                   QString(),
                                   QStringLiteral("Radiografia del torace, perché urgente")};
        QCOMPARE(m_editor->values(), written ? after : before);
    }

    void apriOpensTheQuotedStoredPath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("opened"); // inside Documenti_Allegati; empty: nothing
        QTest::newRow("plain") << QStringLiteral("referto marzo.pdf")
                               << QStringLiteral("referto marzo.pdf");
        QTest::newRow("blanks around")
            << QStringLiteral("  foto.jpg ") << QStringLiteral("foto.jpg");
        QTest::newRow("parent folder")
            << QStringLiteral("../Logo.bmp") << QStringLiteral("Logo.bmp");
        QTest::newRow("deep climb")
            << QStringLiteral("a/../../../etc/passwd") << QStringLiteral("passwd");
        QTest::newRow("windows separators")
            << QStringLiteral("..\\..\\Velmora.ini") << QStringLiteral("Velmora.ini");
        QTest::newRow("absolute") << QStringLiteral("/etc/hosts") << QStringLiteral("hosts");
        QTest::newRow("only the parent") << QStringLiteral("..") << QString();
        QTest::newRow("only a folder") << QStringLiteral("../") << QString();
        QTest::newRow("dot") << QStringLiteral(".") << QString();
    }
    void apriOpensTheQuotedStoredPath() {
        QFETCH(QString, name);
        QFETCH(QString, opened);
        m_editor->set({QString(), name});
        run(QStringLiteral("ricetta"), [](QWidget* w) {
            click(w, QStringLiteral("btnApri02"));
            QVERIFY(w->isVisible());
        });
        const QStringList expected =
            opened.isEmpty() ? QStringList()
                             : QStringList{u'"' + m_program.path() +
                                           QStringLiteral("/Documenti_Allegati/") + opened + u'"'};
        QCOMPARE(m_fake->shell.targets, expected);
        QCOMPARE(m_fake->messages.shown.size(), 0);
    }

    // A copy that cannot be made is reported, and the slot keeps naming what it named.
    void aFailedCopyIsReportedAndTheSlotKeepsItsName_data() {
        QTest::addColumn<QString>("blocker"); // what is put in the way
        QTest::addColumn<QString>("source");
        QTest::newRow("attachments folder is a file")
            << QStringLiteral("Documenti_Allegati") << QStringLiteral("nuovo.pdf");
        QTest::newRow("a folder under the file's name")
            << QStringLiteral("Documenti_Allegati/nuovo.pdf/x") << QStringLiteral("nuovo.pdf");
        QTest::newRow("source cannot be read") << QString() << QStringLiteral("sparito.pdf");
        QTest::newRow("source is a folder") << QString() << QStringLiteral("cartella");
    }
    void aFailedCopyIsReportedAndTheSlotKeepsItsName() {
        QFETCH(QString, blocker);
        QFETCH(QString, source);
        QVERIFY(writeFile(outside(QStringLiteral("nuovo.pdf")), "nuovo"));
        QVERIFY(QDir().mkpath(outside(QStringLiteral("cartella"))));
        if (!blocker.isEmpty())
            QVERIFY(writeFile(m_program.path() + u'/' + blocker, "blocca"));
        m_editor->set({QStringLiteral("vecchio.pdf")});
        m_fake->fileDialog.results << outside(source);
        m_fake->messages.answers << Answer::Yes;
        run(QStringLiteral("ricetta"), [](QWidget* w) {
            click(w, QStringLiteral("btnSfoglia01"));
            QCOMPARE(text(w, QStringLiteral("txtFile01")), QStringLiteral("vecchio.pdf"));
            QVERIFY(enabled(w, QStringLiteral("btnApri01")));
            click(w, QStringLiteral("btnApplica"));
        });
        QCOMPARE(m_fake->messages.shown.size(), 1);
        QCOMPARE(m_fake->messages.shown.first().kind, MessageKind::Warning);
        QVERIFY(m_fake->messages.last().startsWith(QStringLiteral("Attenzione: ")));
        QCOMPARE(m_editor->label(QStringLiteral("lblFile01"))->text(),
                 QStringLiteral("vecchio.pdf"));
    }

    void enterMovesBetweenTheDescriptionsAndNeverConfirms() {
        run(QStringLiteral("ricetta"), [](QWidget* w) {
            auto* d1 = control<QLineEdit>(w, QStringLiteral("txtDesc01"));
            auto* d2 = control<QLineEdit>(w, QStringLiteral("txtDesc02"));
            auto* d3 = control<QLineEdit>(w, QStringLiteral("txtDesc03"));
            w->activateWindow();
            d1->setFocus();
            QTRY_VERIFY(d1->hasFocus());
            pressEnter(d1);
            QVERIFY(d2->hasFocus());
            pressEnter(d2);
            QVERIFY(d3->hasFocus());
            pressEnter(d3);
            QVERIFY(d1->hasFocus());
            QVERIFY(w->isVisible());
        });
    }
};

QTEST_MAIN(TestAllegaCartella)
#include "tst_allega_cartella.moc"
