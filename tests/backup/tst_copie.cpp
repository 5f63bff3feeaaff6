// The backup window driven through its controls, and the launcher's way to it: the picture
// and the reminder notice.

#include "backupfixture.h"

#include "app/practicearchives.h"
#include "app/tfrmavvio.h"
#include "archive/settings.h"
#include "backup/tfrmcopie.h"
#include "platform/inifile.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tarvola;
using namespace tarvola::testing;

class TestCopie : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_program = m_dir->filePath(QStringLiteral("Tarvola"));
        m_copies = m_dir->filePath(QStringLiteral("copie"));
        writeTree(m_program, practiceData());
        m_fake = std::make_unique<FakeServices>(m_program);
    }
    void cleanup() {
        m_fake.reset();
        m_dir.reset();
    }

    void crea_copia_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message"); // how the message begins
        QTest::addColumn<bool>("made");
        QTest::newRow("senza password")
            << u"copie"_qs << QString() << QString()
            << u"La copia di sicurezza è stata creata e verificata"_qs << true;
        QTest::newRow("con password")
            << u"copie"_qs << u"segreta"_qs << u"segreta"_qs
            << u"La copia di sicurezza è stata creata e verificata"_qs << true;
        QTest::newRow("password diverse") << u"copie"_qs << u"segreta"_qs << u"segreto"_qs
                                          << u"Le due password non coincidono"_qs << false;
        QTest::newRow("dentro il programma")
            << u"Tarvola/copie"_qs << QString() << QString()
            << u"La cartella delle copie di sicurezza non può trovarsi all'interno"_qs << false;
        QTest::newRow("nessuna cartella")
            << QString() << QString() << QString() << u"Indicare la cartella"_qs << false;
    }
    void crea_copia() {
        QFETCH(QString, folder);
        QFETCH(QString, password);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(bool, made);
        TfrmCopie window(m_fake->services, practiceArchives());
        QVERIFY(showActive(&window));
        auto* list = control<QListWidget>(&window, u"lstCopie"_qs);
        QCOMPARE(control<QLabel>(&window, u"lblUltima"_qs)->text(),
                 u"Ultima copia di sicurezza: nessuna"_qs);
        const QString target = folder.isEmpty() ? QString() : m_dir->filePath(folder);
        QTest::keyClicks(control<QLineEdit>(&window, u"txtCartella"_qs), target);
        QTest::keyClicks(control<QLineEdit>(&window, u"txtPassword"_qs), password);
        QTest::keyClicks(control<QLineEdit>(&window, u"txtConferma"_qs), confirm);
        QCOMPARE(control<QLineEdit>(&window, u"txtPassword"_qs)->echoMode(), QLineEdit::Password);
        QTest::mouseClick(control<QPushButton>(&window, u"btnCopia"_qs), Qt::LeftButton);

        QCOMPARE(m_fake->messages.shown.size(), 1);
        QVERIFY2(m_fake->messages.last().startsWith(message), qPrintable(m_fake->messages.last()));
        const QStringList zips =
            target.isEmpty() ? QStringList()
                             : QDir(target).entryList({u"Tarvola_copia_*.zip"_qs}, QDir::Files);
        QCOMPARE(zips.size(), made ? 1 : 0);
        QVERIFY(!QDir(m_program).exists(u"copie"_qs));
        if (!made)
            return;
        QCOMPARE(zips[0], u"Tarvola_copia_2026-03-14_093000.zip"_qs);
        QCOMPARE(list->count(), 1);
        QVERIFY2(list->item(0)->text().startsWith(u"14/03/2026 09:30:00"_qs),
                 qPrintable(list->item(0)->text()));
        QVERIFY(list->item(0)->text().endsWith(password.isEmpty() ? u"senza password"_qs
                                                                  : u"con password"_qs));
        QCOMPARE(control<QLabel>(&window, u"lblUltima"_qs)->text(),
                 u"Ultima copia di sicurezza: 14/03/2026 09:30:00"_qs);
        const IniFile ini(QDir(m_program).filePath(u"Impostazioni.ini"_qs));
        QCOMPARE(ini.read(u"Copie di sicurezza"_qs, u"Cartella"_qs), target);
        QVERIFY(!ini.read(u"Copie di sicurezza"_qs, u"Ultima copia"_qs).isEmpty());
        const QString stored =
            QDir(m_program).filePath(u"Impostazioni.ini"_qs); // the password is never stored
        QFile settingsFile(stored);
        QVERIFY(settingsFile.open(QIODevice::ReadOnly));
        QVERIFY(password.isEmpty() || !settingsFile.readAll().contains(password.toUtf8()));
    }

    void ripristina_data() {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("confermato") << Answer::Yes;
        QTest::newRow("annullato") << Answer::No;
    }
    void ripristina() {
        QFETCH(Answer, answer);
        backup::Options options;
        options.programFolder = m_program;
        options.backupFolder = m_copies;
        options.password = u"chiave"_qs;
        options.archives = practiceArchives();
        options.when = QDateTime(QDate(2026, 3, 10), QTime(18, 0));
        QVERIFY(backup::create(options).ok);
        const Tree original = tree(m_program);
        putFile(QDir(m_program).filePath(u"Velmora.ini"_qs),
                "[Intestazione Studio]\r\nCAMBIATO\r\n");
        QVERIFY(QFile::remove(QDir(m_program).filePath(u"Paziente_3/esami/ecografia.jpg"_qs)));
        QVERIFY(settings::write(m_program, settings::cartellaCopie, m_copies));
        const Tree changed = tree(m_program);

        TfrmCopie window(m_fake->services, practiceArchives());
        QVERIFY(showActive(&window));
        QCOMPARE(control<QLineEdit>(&window, u"txtCartella"_qs)->text(), m_copies);
        auto* list = control<QListWidget>(&window, u"lstCopie"_qs);
        QCOMPARE(list->count(), 1);
        auto* restore = control<QPushButton>(&window, u"btnRipristina"_qs);
        QTest::mouseClick(restore, Qt::LeftButton); // no password typed yet
        QVERIFY(m_fake->messages.last().contains(u"protetta da password"_qs));
        m_fake->messages.clear();
        QTest::keyClicks(control<QLineEdit>(&window, u"txtPassword"_qs), u"chiave"_qs);
        m_fake->messages.answers = {answer};
        QTest::mouseClick(restore, Qt::LeftButton);

        QVERIFY(m_fake->messages.shown.size() >= 1);
        const auto& question = m_fake->messages.shown[0];
        QVERIFY(question.question);
        QVERIFY2(question.text.startsWith(
                     u"Ripristinare la copia di sicurezza del 10/03/2026 18:00:00?"_qs),
                 qPrintable(question.text));
        QVERIFY(question.text.contains(u"  Pazienti.pro: 2 schede"_qs));
        QVERIFY(question.text.contains(u"  Archivio_Ricette.pro: 3 schede"_qs));
        if (answer == Answer::No) {
            QCOMPARE(m_fake->messages.shown.size(), 1);
            QCOMPARE(tree(m_program), changed);
            QCOMPARE(list->count(), 1);
            return;
        }
        QCOMPARE(m_fake->messages.shown.size(), 2);
        QVERIFY2(m_fake->messages.last().startsWith(u"Ripristino completato"_qs),
                 qPrintable(m_fake->messages.last()));
        Tree now = tree(m_program);
        now.remove(u"Impostazioni.ini"_qs); // it remembers the folder of the copies
        Tree expected = original;
        expected.remove(u"Impostazioni.ini"_qs);
        QCOMPARE(now, expected);
        // The state before the restore went into a backup of its own first.
        QCOMPARE(list->count(), 2);
        const QString safety = list->item(0)->data(Qt::UserRole).toString();
        const QString into = m_dir->filePath(u"prima"_qs);
        QVERIFY(QDir().mkpath(into));
        QVERIFY(backup::restore(safety, u"chiave"_qs, into).ok);
        QCOMPARE(tree(into).value(u"Velmora.ini"_qs), changed.value(u"Velmora.ini"_qs));
    }

    void laCartellaSiSceglieConIlDialogo() {
        TfrmCopie window(m_fake->services, practiceArchives());
        QVERIFY(showActive(&window));
        QVERIFY(QDir().mkpath(m_copies));
        m_fake->fileDialog.results = {m_copies};
        QTest::mouseClick(control<QToolButton>(&window, u"btnCartella"_qs), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(&window, u"txtCartella"_qs)->text(), m_copies);
        QCOMPARE(settings::read(m_program, settings::cartellaCopie), m_copies);
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void ilLauncherApreLeCopieEAvvisa_data() {
        QTest::addColumn<QString>("last");
        QTest::addColumn<bool>("reminded");
        QTest::addColumn<QString>("opener");
        QTest::newRow("mai fatta") << QString() << true << u"lnkCopie"_qs;
        QTest::newRow("otto giorni fa") << u"2026-03-06 12:00:00"_qs << true << u"lnkCopie"_qs;
        QTest::newRow("sette giorni fa") << u"2026-03-07 12:00:00"_qs << true << u"imgCopie"_qs;
        QTest::newRow("due giorni fa") << u"2026-03-12 12:00:00"_qs << false << u"imgCopie"_qs;
    }
    void ilLauncherApreLeCopieEAvvisa() {
        QFETCH(QString, last);
        QFETCH(bool, reminded);
        QFETCH(QString, opener);
        if (!last.isEmpty())
            QVERIFY(settings::write(m_program, settings::ultimaCopia, last));
        TfrmAvvio launcher(m_fake->services);
        QVERIFY(showActive(&launcher));
        QCOMPARE(control<QWidget>(&launcher, u"panPromemoria"_qs)->isVisible(), reminded);
        if (reminded)
            QCOMPARE(control<QLabel>(&launcher, u"lblPromemoria"_qs)->text(),
                     last.isEmpty()
                         ? u"Non è ancora stata fatta una copia di sicurezza dei dati."_qs
                         : u"L'ultima copia di sicurezza dei dati risale al %1."_qs.arg(
                               QDate::fromString(last.left(10), Qt::ISODate)
                                   .toString(u"dd/MM/yyyy"_qs)));
        auto* picture = control<QLabel>(&launcher, u"imgCopie"_qs);
        QCOMPARE(picture->accessibleName(), u"Copie di sicurezza dei dati"_qs);
        QCOMPARE(picture->toolTip(), u"Copie di sicurezza dei dati"_qs);
        QString opened;
        QVERIFY(whileModal(
            [&] { QTest::mouseClick(control<QLabel>(&launcher, opener), Qt::LeftButton); },
            [&](QWidget* w) {
                opened = w->objectName();
                QCOMPARE(w->windowTitle(), u" Tarvola 3.0 - Copie di sicurezza"_qs);
                QCOMPARE(w->parentWidget(), &launcher);
                QTest::mouseClick(control<QPushButton>(w, u"btnChiudi"_qs), Qt::LeftButton);
            }));
        QCOMPARE(opened, u"TfrmCopie"_qs);
        QVERIFY(m_fake->messages.shown.isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fake;
    QString m_program;
    QString m_copies;
};

QTEST_MAIN(TestCopie)
#include "tst_copie.moc"
