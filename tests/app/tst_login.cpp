#include "app/application.h"
#include "app/password.h"
#include "app/tfrmavvio.h"
#include "app/tfrmcambiapassword.h"
#include "app/tfrmpassword.h"
#include "platform/inifile.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString wrong = QStringLiteral("Attenzione: password errata.");
const QString readError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString wrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString notConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                   "necessario reinserire entrambi i valori.");
const QString changed = QStringLiteral("Modifica della password completata con successo.");

// The store as the installation lays it down.
void installStore(const QString& folder, const QByteArray& value = "3F3F07AACDD87836DB243B6AF8BE") {
    QFile f(QDir(folder).filePath(QStringLiteral("unins000.dll")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[Accesso]\r\nValore=" + value + "\r\n");
}

QString storedValue(const QString& folder) {
    return IniFile(QDir(folder).filePath(QStringLiteral("unins000.dll")))
        .read(QStringLiteral("Accesso"), QStringLiteral("Valore"));
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        installStore(m_dir->path());
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
        m_app = std::make_unique<Application>(m_dir->path(), m_fakes->messages, m_fakes->shell,
                                              m_fakes->fileDialog, m_fakes->clock);
        m_app->start();
        m_login = m_app->window<TfrmPassword>();
        QVERIFY(QTest::qWaitForWindowExposed(m_login));
    }
    void cleanup() {
        m_app.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void okIsEnabledOnlyForNonBlankText() {
        auto* edit = control<QLineEdit>(m_login, QStringLiteral("txtPassword"));
        auto* ok = control<QPushButton>(m_login, QStringLiteral("cmdOK"));
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(edit, QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        pressEnter(edit); // Enter with blanks only checks nothing
        QVERIFY(m_fakes->messages.shown.isEmpty());
        QTest::keyClicks(edit, QStringLiteral("x"));
        QVERIFY(ok->isEnabled());
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!ok->isEnabled());
    }

    void firstAccessPasswordInAnyCaseOpensTheLauncher_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("as in the help") << QStringLiteral("chiaveiniziale");
        QTest::newRow("mixed case and blanks") << QStringLiteral(" ChiaveIniziale ");
        QTest::newRow("capitals") << QStringLiteral("CHIAVEINIZIALE");
    }
    void firstAccessPasswordInAnyCaseOpensTheLauncher() {
        QFETCH(QString, typed);
        auto* edit = control<QLineEdit>(m_login, QStringLiteral("txtPassword"));
        QTest::keyClicks(edit, typed);
        pressEnter(edit);
        QVERIFY(m_fakes->messages.shown.isEmpty());
        auto* launcher = m_app->window<TfrmAvvio>();
        QVERIFY(launcher->isVisible());
        QCOMPARE(launcher->windowTitle(), QStringLiteral(" Tarvola 3.0"));
        QVERIFY(!m_login->isVisible());
    }

    void wrongPasswordKeepsTheLoginWithAnEmptyEdit() {
        auto* edit = control<QLineEdit>(m_login, QStringLiteral("txtPassword"));
        QTest::keyClicks(edit, QStringLiteral("chiaveinizial"));
        QTest::mouseClick(control<QPushButton>(m_login, QStringLiteral("cmdOK")), Qt::LeftButton);
        QCOMPARE(m_fakes->messages.texts(), QStringList{wrong});
        QCOMPARE(m_fakes->messages.shown.first().kind, MessageKind::Plain);
        QVERIFY(edit->text().isEmpty());
        QVERIFY(m_login->isVisible());
        QVERIFY(!m_app->window<TfrmAvvio>()->isVisible());
    }

    void brokenOrMissingStore_data() {
        QTest::addColumn<QByteArray>("store"); // empty: no store file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("not hexadecimal")
            << QByteArray("[Accesso]\r\nValore=3F3G07\r\n") << readError;
        QTest::newRow("missing key") << QByteArray("[Accesso]\r\nAltro=3F\r\n") << wrong;
        QTest::newRow("missing file") << QByteArray() << wrong;
        QTest::newRow("unreadable (a folder)") << QByteArray("folder") << readError;
    }
    void brokenOrMissingStore() {
        QFETCH(QByteArray, store);
        QFETCH(QString, message);
        const QString path = QDir(m_dir->path()).filePath(QStringLiteral("unins000.dll"));
        QFile::remove(path);
        if (store == "folder") {
            QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("unins000.dll")));
        } else if (!store.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(store);
        }
        auto* edit = control<QLineEdit>(m_login, QStringLiteral("txtPassword"));
        QTest::keyClicks(edit, QStringLiteral("chiaveiniziale"));
        pressEnter(edit);
        QCOMPARE(m_fakes->messages.texts(), QStringList{message});
        QVERIFY(m_login->isVisible());
        QVERIFY(!m_app->window<TfrmAvvio>()->isVisible());
    }

    void changedPasswordWorksAtTheNextLogin() {
        auto* change = openChangeWindow();
        fillChange(change, QStringLiteral(" chiaveINIZIALE"), QStringLiteral("Nuova Parola 9"),
                   QStringLiteral("Nuova Parola 9 "));
        QCOMPARE(m_fakes->messages.texts(), QStringList{changed});
        QCOMPARE(storedValue(m_dir->path()), password::encode(QStringLiteral("NUOVA PAROLA 9")));
        QVERIFY(!change->isVisible());
        QVERIFY(m_login->isVisible());

        auto* edit = control<QLineEdit>(m_login, QStringLiteral("txtPassword"));
        QVERIFY(edit->text().isEmpty());
        QTest::keyClicks(edit, QStringLiteral("chiaveiniziale"));
        pressEnter(edit);
        QCOMPARE(m_fakes->messages.last(), wrong);
        QTest::keyClicks(edit, QStringLiteral("  nUOVA pAROLA 9"));
        pressEnter(edit);
        QVERIFY(m_app->window<TfrmAvvio>()->isVisible());
    }

    void refusedChanges_data() {
        QTest::addColumn<QString>("oldPassword");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("emptied"); // the edits emptied, by name
        QTest::addColumn<QString>("focused");
        QTest::newRow("wrong old") << "sbagliata"
                                   << "nuova"
                                   << "nuova" << wrongOld << "txtPasswordOld"
                                   << "txtPasswordOld";
        QTest::newRow("confirmation differs only in case")
            << "chiaveiniziale"
            << "Segreto"
            << "segreto" << notConfirmed << "txtPasswordNew,txtConferma"
            << "txtPasswordNew";
        QTest::newRow("euro sign cannot be stored")
            << "chiaveiniziale"
            << "costo€"
            << "costo€"
            << QStringLiteral("Attenzione: la nuova password contiene caratteri che non possono "
                              "essere memorizzati (ad esempio il simbolo dell'euro o lettere di "
                              "alfabeti non latini).\n\r\n\rScegliere una password composta da "
                              "lettere, cifre e simboli comuni.")
            << "txtPasswordNew,txtConferma"
            << "txtPasswordNew";
    }
    void refusedChanges() {
        QFETCH(QString, oldPassword);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirmation);
        QFETCH(QString, message);
        QFETCH(QString, emptied);
        QFETCH(QString, focused);
        const QString before = storedValue(m_dir->path());
        auto* change = openChangeWindow();
        fillChange(change, oldPassword, newPassword, confirmation);
        QCOMPARE(m_fakes->messages.texts(), QStringList{message});
        QVERIFY(change->isVisible());
        QCOMPARE(storedValue(m_dir->path()), before);
        for (const QString& name : emptied.split(u','))
            QVERIFY2(control<QLineEdit>(change, name)->text().isEmpty(), qPrintable(name));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(change, focused));
    }

    void unreadableStoreStopsTheChange() {
        auto* change = openChangeWindow();
        const QString path = QDir(m_dir->path()).filePath(QStringLiteral("unins000.dll"));
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("unins000.dll")));
        fillChange(change, QStringLiteral("chiaveiniziale"), QStringLiteral("nuova"),
                   QStringLiteral("nuova"));
        QCOMPARE(m_fakes->messages.texts(),
                 QStringList{QStringLiteral(
                     "Attenzione: si è verificato un errore durante la procedura di modifica "
                     "della password. Si consiglia di reinstallare il software.")});
        QVERIFY(change->isVisible());
        QVERIFY(QFileInfo(path).isDir());
    }

    void enterCyclesTheThreeEditsAndNeverConfirms() {
        auto* change = openChangeWindow();
        auto* old = control<QLineEdit>(change, QStringLiteral("txtPasswordOld"));
        auto* fresh = control<QLineEdit>(change, QStringLiteral("txtPasswordNew"));
        auto* confirm = control<QLineEdit>(change, QStringLiteral("txtConferma"));
        auto* ok = control<QPushButton>(change, QStringLiteral("cmdOK"));
        QCOMPARE(QApplication::focusWidget(), old);
        QVERIFY(control<QFrame>(change, QStringLiteral("effPasswordOld"))->isVisible());
        QVERIFY(!control<QFrame>(change, QStringLiteral("effPasswordNew"))->isVisible());
        QTest::keyClicks(old, QStringLiteral("chiaveiniziale"));
        pressEnter(old);
        QCOMPARE(QApplication::focusWidget(), fresh);
        QVERIFY(control<QFrame>(change, QStringLiteral("effPasswordNew"))->isVisible());
        QVERIFY(!control<QFrame>(change, QStringLiteral("effPasswordOld"))->isVisible());
        QTest::keyClicks(fresh, QStringLiteral("altra"));
        QVERIFY(!ok->isEnabled());
        pressEnter(fresh);
        QCOMPARE(QApplication::focusWidget(), confirm);
        QTest::keyClicks(confirm, QStringLiteral("altra"));
        QVERIFY(ok->isEnabled());
        pressEnter(confirm);
        QCOMPARE(QApplication::focusWidget(), old);
        QVERIFY(m_fakes->messages.shown.isEmpty());
        QVERIFY(change->isVisible());
    }

    void closingTheChangeWindowReturnsToAnEmptyLogin() {
        auto* edit = control<QLineEdit>(m_login, QStringLiteral("txtPassword"));
        QTest::keyClicks(edit, QStringLiteral("abc"));
        auto* change = openChangeWindow();
        QTest::keyClicks(control<QLineEdit>(change, QStringLiteral("txtPasswordOld")),
                         QStringLiteral("x"));
        QTest::mouseClick(control<QPushButton>(change, QStringLiteral("cmdEsci")), Qt::LeftButton);
        QVERIFY(!change->isVisible());
        QVERIFY(m_login->isVisible());
        QVERIFY(edit->text().isEmpty());
        // Shown again, the change window starts empty.
        change = openChangeWindow();
        QVERIFY(control<QLineEdit>(change, QStringLiteral("txtPasswordOld"))->text().isEmpty());
    }

private:
    TfrmCambiaPassword* openChangeWindow() {
        QTest::mouseClick(control<QPushButton>(m_login, QStringLiteral("btnCambiaPassword")),
                          Qt::LeftButton);
        auto* change = m_app->window<TfrmCambiaPassword>();
        if (!QTest::qWaitForWindowExposed(change))
            return change;
        change->activateWindow();
        QApplication::setActiveWindow(change);
        return change;
    }

    void fillChange(QWidget* change, const QString& oldPassword, const QString& newPassword,
                    const QString& confirmation) {
        typeText(control<QLineEdit>(change, QStringLiteral("txtPasswordOld")), oldPassword);
        typeText(control<QLineEdit>(change, QStringLiteral("txtPasswordNew")), newPassword);
        typeText(control<QLineEdit>(change, QStringLiteral("txtConferma")), confirmation);
        QTest::mouseClick(control<QPushButton>(change, QStringLiteral("cmdOK")), Qt::LeftButton);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<Application> m_app;
    TfrmPassword* m_login = nullptr;
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
