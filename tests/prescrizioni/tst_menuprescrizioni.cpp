// The year window and the numbering window, and the way from the launcher through the year
// to the editor's numbering.

#include "app/application.h"
#include "app/tfrmavvio.h"
#include "app/tfrmpassword.h"
#include "platform/ui.h"
#include "prescrizioni/tfrmmenuprescrizioni.h"
#include "prescrizioni/tfrmnumerazione.h"
#include "prescrizionifixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString fourDigits =
    QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");

// Every file of the folder and below it, relative paths.
QStringList filesIn(const QString& folder) {
    QStringList files;
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
        files << name;
    return files;
}

struct YearFixture {
    QTemporaryDir dir;
    FakeServices fake{dir.path()};
    TfrmMenuPrescrizioni window{fake.services};
    QLineEdit* year() { return control<QLineEdit>(&window, QStringLiteral("txtAnnoPreventivi")); }
    void open() { control<QPushButton>(&window, QStringLiteral("btnApriPreventivi"))->click(); }
};

struct NumberingFixture {
    NumberingFixture() { window.setTag(QStringLiteral("prescrizioni")); }
    QTemporaryDir dir;
    FakeServices fake{dir.path()};
    TfrmNumerazione window{fake.services};
    QLineEdit* start() { return control<QLineEdit>(&window, QStringLiteral("txtInizio")); }
    QCheckBox* year() { return control<QCheckBox>(&window, QStringLiteral("chkTipo")); }
    void click(const char* name) {
        QTest::mouseClick(control<QPushButton>(&window, QString::fromLatin1(name)), Qt::LeftButton);
    }
    QString ini() const {
        return QString::fromLatin1(readFile(dir.filePath(QStringLiteral("Velmora.ini"))));
    }
    void writeIni(const QString& text) const {
        writeFile(dir.filePath(QStringLiteral("Velmora.ini")), text.toLatin1());
    }
};

} // namespace

class TestMenuPrescrizioni : public QObject {
    Q_OBJECT
private slots:
    void yearWindowProposesTodaysYear() {
        YearFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral(" Tarvola 3.0 - Emissione Prescrizioni"));
        for (const char* name : {"imgGuida", "imgEsci"})
            QVERIFY(control<QLabel>(&f.window, QString::fromLatin1(name)));
        QCOMPARE(f.year()->maxLength(), 4);
        f.year()->setText(QStringLiteral("1999"));
        QVERIFY(showActive(&f.window));
        QCOMPARE(f.year()->text(), QStringLiteral("2026"));
        QCOMPARE(f.window.memory(), QStringLiteral("avvio"));
        QCOMPARE(f.window.focusWidget(), f.year());
    }

    void yearTakesDigitsOnlyAndEnterMovesToOpen() {
        YearFixture f;
        QVERIFY(showActive(&f.window));
        f.year()->clear();
        typeText(f.year(), QStringLiteral("2a0./2è4"));
        QCOMPARE(f.year()->text(), QStringLiteral("2024"));
        QTest::keyClick(f.year(), Qt::Key_Backspace);
        QTest::keyClick(f.year(), Qt::Key_Left);
        QTest::keyClick(f.year(), Qt::Key_Delete);
        QCOMPARE(f.year()->text(), QStringLiteral("20"));
        QSignalSpy opened(&f.window, &TfrmMenuPrescrizioni::yearOpened);
        pressEnter(f.year());
        QCOMPARE(f.window.focusWidget()->objectName(), QStringLiteral("btnApriPreventivi"));
        QCOMPARE(opened.count(), 0); // Enter does not press it
        QVERIFY(f.window.isVisible());
        // Enter on the button does: 20 is no year.
        pressEnter(QApplication::focusWidget());
        QCOMPARE(f.fake.messages.texts(), QStringList{fourDigits});
        f.year()->setText(QStringLiteral("2025"));
        pressEnter(f.year());
        pressEnter(QApplication::focusWidget());
        QCOMPARE(opened.count(), 1);
        QVERIFY(!f.window.isVisible());
    }

    void onlyFourDigitsOpenAYear_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("two digits") << "24";
        QTest::newRow("empty") << "";
        QTest::newRow("letter") << "20a4";
        QTest::newRow("path") << "../a";
        QTest::newRow("blank") << " 202";
    }
    void onlyFourDigitsOpenAYear() {
        QFETCH(QString, text);
        YearFixture f;
        QVERIFY(showActive(&f.window));
        QSignalSpy opened(&f.window, &TfrmMenuPrescrizioni::yearOpened);
        QSignalSpy closed(&f.window, &AppWindow::closed);
        f.year()->setText(text); // as a paste could leave it
        f.open();
        QCOMPARE(f.fake.messages.texts(), QStringList{fourDigits});
        QCOMPARE(f.fake.messages.shown[0].kind, MessageKind::Warning);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(closed.count(), 0);
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.window.memory(), QStringLiteral("avvio"));
        QCOMPARE(f.window.focusWidget(), f.year());
        QCOMPARE(filesIn(f.dir.path()), QStringList());
        QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("../a.med"))));
    }

    void pastedNonDigitsAreRefused() {
        YearFixture f;
        QVERIFY(showActive(&f.window));
        f.year()->clear();
        QApplication::clipboard()->setText(QStringLiteral("../a"));
        f.year()->paste();
        QCOMPARE(f.year()->text(), QString());
        QApplication::clipboard()->setText(QStringLiteral("2023"));
        f.year()->paste();
        QCOMPARE(f.year()->text(), QStringLiteral("2023"));
    }

    void openingAYearNamesItsArchiveAndCreatesNothing() {
        YearFixture f;
        QVERIFY(showActive(&f.window));
        QSignalSpy opened(&f.window, &TfrmMenuPrescrizioni::yearOpened);
        QSignalSpy closed(&f.window, &AppWindow::closed);
        f.year()->setText(QStringLiteral("2023"));
        f.open();
        QCOMPARE(f.fake.messages.texts(), QStringList());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened[0][0].toString(), f.dir.filePath(QStringLiteral("2023.med")));
        QCOMPARE(opened[0][1].toString(), QStringLiteral("2023"));
        QCOMPARE(closed.count(), 1);
        QCOMPARE(f.window.memory(), QStringLiteral("prescrizioni"));
        QVERIFY(!f.window.isVisible());
        QCOMPARE(filesIn(f.dir.path()), QStringList());
    }

    void helpOpensThePrescriptionTopic() {
        YearFixture f;
        QVERIFY(showActive(&f.window));
        QString title;
        QCOMPARE(
            openedBy(
                [&] {
                    emit control<ClickableLabel>(&f.window, QStringLiteral("imgGuida"))->clicked();
                },
                [&](QWidget* w) {
                    for (auto* l : w->findChildren<QLabel*>()) {
                        if (l->text() == QStringLiteral("App Emissione Prescrizioni"))
                            title = l->text();
                    }
                }),
            QStringLiteral("TfrmGuida"));
        QCOMPARE(title, QStringLiteral("App Emissione Prescrizioni"));
    }

    void launcherYearEditorAndNumbering() {
        // Year 2023 opened while the calendar says 2026, the year flag on: the prescriptions
        // of 2023.med are numbered n/2026.
        QTemporaryDir dir;
        FakeServices fake(dir.path());
        writeFile(dir.filePath(QStringLiteral("Velmora.ini")),
                  QStringLiteral("[Numerazione Prescrizioni]\r\nInizio=1\r\n"
                                 "Indicazione Anno Solare=Sì\r\n")
                      .toLatin1());
        QByteArray three;
        for (int i = 0; i < 3; ++i)
            three += Prescription::listed("x").bytes;
        writeFile(dir.filePath(QStringLiteral("2023.med")), three);
        Application app(dir.path(), fake.messages, fake.shell, fake.fileDialog, fake.clock);
        app.start();
        emit app.window<TfrmPassword>()->loggedIn();
        auto* launcher = app.window<TfrmAvvio>();
        QTest::mouseClick(control<QPushButton>(launcher, QStringLiteral("btnApp03")),
                          Qt::LeftButton);
        auto* years = app.window<TfrmMenuPrescrizioni>();
        QVERIFY(years->isVisible());
        control<QLineEdit>(years, QStringLiteral("txtAnnoPreventivi"))
            ->setText(QStringLiteral("2023"));
        control<QPushButton>(years, QStringLiteral("btnApriPreventivi"))->click();
        auto* editor = app.window<TfrmPrescrizioni>();
        QVERIFY(editor->isVisible());
        QVERIFY(!years->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(editor->windowTitle(),
                 QStringLiteral(" Tarvola 3.0 - Archivio prescrizioni anno 2023"));
        FormAccess form(editor);
        QCOMPARE(form.label(QStringLiteral("lblFile"))->text(),
                 dir.filePath(QStringLiteral("2023.med")));
        form.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(form.text(QStringLiteral("txtNumFatt")), QStringLiteral("4/2026"));
        QCOMPARE(form.label(QStringLiteral("lblInizio"))->text(), QStringLiteral("1"));
        QCOMPARE(form.label(QStringLiteral("lblSolare"))->text(), QStringLiteral("Sì"));

        // The numbering window changes the start: the next number follows at once.
        QCOMPARE(openedBy([&] { form.click(QStringLiteral("cmdNumerazione")); },
                          [](QWidget* w) {
                              auto* start = control<QLineEdit>(w, QStringLiteral("txtInizio"));
                              start->setText(QStringLiteral("100"));
                              control<QCheckBox>(w, QStringLiteral("chkTipo"))->setChecked(false);
                              control<QPushButton>(w, QStringLiteral("btnApplica"))->click();
                          }),
                 QStringLiteral("TfrmNumerazione"));
        form.click(QStringLiteral("cmdNuovo"));
        QCOMPARE(form.text(QStringLiteral("txtNumFatt")), QStringLiteral("103"));

        // Closing the editor leads to the launcher; the year window proposes today's year.
        editor->close();
        QVERIFY(launcher->isVisible());
        QTest::mouseClick(control<QPushButton>(launcher, QStringLiteral("btnApp03")),
                          Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(years, QStringLiteral("txtAnnoPreventivi"))->text(),
                 QStringLiteral("2026"));
        // Leaving the year window without a year leads back to the launcher, not the editor.
        years->close();
        QVERIFY(launcher->isVisible());
        QVERIFY(!editor->isVisible());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("2026.med"))));
    }

    void numberingWindowShowsTheSettings_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("year");
        QTest::newRow("no file") << ""
                                 << "1" << false;
        QTest::newRow("empty start") << "Inizio=\r\n"
                                     << "1" << false;
        QTest::newRow("stored") << QString::fromUtf8("Inizio=120\r\nIndicazione Anno Solare=Sì\r\n")
                                << "120" << true;
        QTest::newRow("year flag other text") << "Inizio=5\r\nIndicazione Anno Solare=si\r\n"
                                              << "5" << false;
    }
    void numberingWindowShowsTheSettings() {
        QFETCH(QString, ini);
        QFETCH(QString, start);
        QFETCH(bool, year);
        NumberingFixture f;
        if (!ini.isEmpty())
            f.writeIni(QStringLiteral("[Numerazione Prescrizioni]\r\n") + ini);
        QVERIFY(showActive(&f.window));
        QCOMPARE(f.start()->text(), start);
        QCOMPARE(f.year()->isChecked(), year);
        QCOMPARE(f.start()->maxLength(), 5);
        QCOMPARE(f.window.focusWidget(), f.start());
        QCOMPARE(control<QGroupBox>(&f.window, QStringLiteral("grpInizio"))->title(),
                 QStringLiteral(" Inizia numerazione da: "));
    }

    void startValueIsRoundedOnLeavingIt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("empty") << ""
                               << "1";
        QTest::newRow("pasted decimal") << "2,5"
                                        << "3";
        QTest::newRow("pasted letters") << "x1"
                                        << "1";
    }
    void startValueIsRoundedOnLeavingIt() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        NumberingFixture f;
        QVERIFY(showActive(&f.window));
        f.start()->setText(text);
        f.year()->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.start()->text(), kept);
    }

    void startTakesDigitsAndEnterMovesToApply() {
        NumberingFixture f;
        QVERIFY(showActive(&f.window));
        f.start()->selectAll();
        typeText(f.start(), QStringLiteral("1a2-3"));
        QCOMPARE(f.start()->text(), QStringLiteral("123"));
        pressEnter(f.start());
        QCOMPARE(f.window.focusWidget()->objectName(), QStringLiteral("btnApplica"));
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.ini(), QString());
        pressEnter(f.window.focusWidget());
        QVERIFY(!f.window.isVisible());
        QVERIFY(f.ini().contains(QStringLiteral("Inizio=123\r\n")));
    }

    void applyWritesAndCancelDoesNot_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("year");
        QTest::addColumn<QString>("storedStart");
        QTest::addColumn<QString>("storedYear");
        QTest::newRow("start and year") << "100" << true << "100" << QString::fromUtf8("Sì");
        QTest::newRow("no year") << "12" << false << "12"
                                 << "No";
        QTest::newRow("left empty") << "" << false << "1"
                                    << "No";
    }
    void applyWritesAndCancelDoesNot() {
        QFETCH(QString, start);
        QFETCH(bool, year);
        QFETCH(QString, storedStart);
        QFETCH(QString, storedYear);
        {
            NumberingFixture f;
            QVERIFY(showActive(&f.window));
            f.start()->setText(start);
            f.year()->setChecked(year);
            f.click("btnAnnulla");
            QVERIFY(!f.window.isVisible());
            QCOMPARE(f.ini(), QString());
        }
        NumberingFixture f;
        QVERIFY(showActive(&f.window));
        f.start()->setText(start);
        f.year()->setChecked(year);
        f.click("btnApplica");
        QVERIFY(!f.window.isVisible());
        const QString ini = f.ini();
        QVERIFY(ini.contains(QStringLiteral("[Numerazione Prescrizioni]")));
        QVERIFY2(ini.contains(QStringLiteral("Inizio=") + storedStart + QStringLiteral("\r\n")),
                 qPrintable(ini));
        QVERIFY2(ini.contains(QStringLiteral("Indicazione Anno Solare=") + storedYear +
                              QStringLiteral("\r\n")),
                 qPrintable(ini));
    }
};

QTEST_MAIN(TestMenuPrescrizioni)
#include "tst_menuprescrizioni.moc"
