// Writes that run out of space: the export, the settings, the password store and a save
// fail with their message and leave the earlier file whole.
//
// Two ways to run out: a limit on the size of the files this process may write (the
// system stops the write partway, whatever the disk), and, where this system lets a test
// mount one, a real file system of 256 KB filled to the last byte.

#include "operations.h"

#include "archive/archivefile.h"
#include "platform/files.h"
#include "ricette/ricettarecord.h"
#include "support/filesizelimit.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

constexpr qint64 cardSize = 2550;
constexpr int seededCards = 3;

const QString exportQuestion = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString exportMessage =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il file di Excel non sia già aperto.");
const QString archiveMessage = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere "
    "i privilegi di scrittura nella cartella di installazione del programma.");
const QString passwordMessage = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. Si "
    "consiglia di reinstallare il software.");

const QString archiveName = QStringLiteral("Archivio_Ricette.pro");

} // namespace

class TestFullSpace : public QObject {
    Q_OBJECT
private slots:
    void failedWritesLeaveTheEarlierFileWhole_data() {
        QTest::addColumn<bool>("realDisk");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("messages");
        for (const bool realDisk : {false, true}) {
            const char* way = realDisk ? "disco pieno" : "limite di dimensione";
            QTest::addRow("%s, salva", way)
                << realDisk << u"salva"_qs << QStringList{archiveMessage};
            QTest::addRow("%s, esporta", way)
                << realDisk << u"esporta"_qs << QStringList{exportQuestion, exportMessage};
            QTest::addRow("%s, impostazioni", way)
                << realDisk << u"impostazioni"_qs << QStringList();
            QTest::addRow("%s, password", way)
                << realDisk << u"password"_qs << QStringList{passwordMessage};
            QTest::addRow("%s, logo", way) << realDisk << u"logo"_qs << QStringList();
            QTest::addRow("%s, allegato", way) << realDisk << u"allegato"_qs << QStringList();
        }
    }

    void failedWritesLeaveTheEarlierFileWhole() {
        QFETCH(bool, realDisk);
        QFETCH(QString, operation);
        QFETCH(QStringList, messages);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(QStringLiteral("Tarvola"));
        seedProgramFolder(folder, seededCards);
        const Snapshot before = snapshot(folder);

        Outcome outcome;
        QString result = folder; // where the folder is after the operation
        if (realDisk) {
            const QString disk = dir.filePath(QStringLiteral("disco"));
            result = dir.filePath(QStringLiteral("dopo"));
            QVERIFY(QDir().mkpath(disk));
            const QStringList arguments = {operation, folder, QStringLiteral("--full-disk"), disk,
                                           result};
            QString skip;
            const std::optional<Outcome> reported =
                runInStation(QStringLiteral(TARVOLA_STATION), arguments, skip);
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QVERIFY2(reported, "the station did not finish cleanly");
            outcome = *reported;
        } else {
            // Room for part of one more card, for nothing as large as a new settings file.
            const rlim_t limit = operation == QStringLiteral("salva")
                                     ? rlim_t(seededCards * cardSize + 1000)
                                     : rlim_t(16);
            FileSizeLimit full(limit);
            QVERIFY(full.isSet());
            outcome = runOperation(operation, folder);
        }

        QVERIFY(outcome.failed);
        QCOMPARE(outcome.messages, messages);
        Snapshot after = snapshot(result);
        if (operation == QStringLiteral("salva")) {
            // The cut-off card is not a record; every earlier card is there, and the next save,
            // with room again, goes on the boundary after them.
            const QByteArray archive = after.take(archiveName);
            QCOMPARE(archive.left(seededCards * cardSize), before.value(archiveName));
            QVERIFY(archive.size() < (seededCards + 1) * cardSize);
            ArchiveFile file(files::join(result, archiveName), ricetta::layout());
            QCOMPARE(file.count(), seededCards);
            QCOMPARE(file.append(Record(ricetta::layout())), qint64(seededCards + 1));
            file.close();
            QCOMPARE(QFileInfo(files::join(result, archiveName)).size(),
                     (seededCards + 1) * cardSize);
            Snapshot rest = before;
            rest.remove(archiveName);
            QVERIFY(after == rest);
        } else {
            QCOMPARE(after.keys(), before.keys());
            QVERIFY(after == before);
        }
    }
};

QTEST_MAIN(TestFullSpace)
#include "tst_fullspace.moc"
