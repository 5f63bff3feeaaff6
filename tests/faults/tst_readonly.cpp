// A program folder that cannot be written: every operation that writes gives its message,
// and nothing in the folder is created, truncated or lost.
//
// Sessions and CI run as root, which file permissions do not stop; the folder is made
// unwritable in ways that stop root too: a file where the folder should be, folders where
// the files should be, the immutable attribute (where the file system has it), and a second
// process that gives up root for the unprivileged user nobody.

#include "operations.h"

#include "platform/files.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QString archiveMessage = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere "
    "i privilegi di scrittura nella cartella di installazione del programma.");
const QString exportQuestion = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
    "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString exportMessage =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il file di Excel non sia già aperto.");
const QString passwordMessage = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. Si "
    "consiglia di reinstallare il software.");
const QString wrongOldPassword = QStringLiteral("Attenzione: vecchia password errata.");

// The files of the folder that the operations write (the password store aside: it must be
// read before it is written).
const QStringList writtenFiles = {QStringLiteral("Archivio_Ricette.pro"),
                                  QStringLiteral("Archivio_Ricette.xls"),
                                  QStringLiteral("Velmora.ini"), QStringLiteral("Logo.bmp"),
                                  QStringLiteral("Documenti_Allegati/referto.pdf")};

// Every file and folder below the folder, the folder last.
QStringList everything(const QString& folder) {
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.prepend(it.next()); // a folder's contents before the folder
    paths << folder;
    return paths;
}

bool run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Undoes what made the folder unwritable, whatever way the test ends.
struct Undo {
    std::function<void()> action;
    ~Undo() {
        if (action)
            action();
    }
};

} // namespace

class TestReadOnly : public QObject {
    Q_OBJECT
private slots:
    void everyOperationGivesItsMessageAndChangesNothing_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        const QMap<QString, QStringList> expected = {
            {QStringLiteral("salva"), {archiveMessage}},
            {QStringLiteral("cerca"), {archiveMessage}},
            {QStringLiteral("esporta"), {exportQuestion, exportMessage}},
            {QStringLiteral("impostazioni"), none},
            {QStringLiteral("password"), {passwordMessage}},
            {QStringLiteral("logo"), none},
            {QStringLiteral("allegato"), none}};
        for (const char* way : {"file al posto della cartella", "cartelle al posto dei file",
                                "attributo immutabile", "utente senza permessi"}) {
            for (const QString& operation : operationNames()) {
                QStringList messages = expected.value(operation);
                if (operation == QStringLiteral("password") &&
                    way == QByteArrayView("file al posto della cartella")) {
                    // No store at all reads as an empty password, which nothing typed matches.
                    messages = {wrongOldPassword};
                }
                if (operation == QStringLiteral("password") &&
                    way == QByteArrayView("cartelle al posto dei file"))
                    continue; // the store must be read to get as far as writing it
                QTest::addRow("%s, %s", way, qPrintable(operation))
                    << QString::fromUtf8(way) << operation << messages;
            }
        }
    }

    void everyOperationGivesItsMessageAndChangesNothing() {
        QFETCH(QString, way);
        QFETCH(QString, operation);
        QFETCH(QStringList, messages);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
        const QString folder = dir.filePath(QStringLiteral("Tarvola"));
        // A search finds the archive missing and must create it: the first search of a
        // fresh installation. Every other operation finds the practice's files.
        seedProgramFolder(folder, operation == QStringLiteral("cerca") ? 0 : 3);
        QString watched = folder;
        Undo undo;
        bool inAnotherProcess = false;

        if (way == QStringLiteral("file al posto della cartella")) {
            QVERIFY(QDir(folder).removeRecursively());
            QFile file(folder);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("non sono una cartella");
            file.close();
            watched = dir.path();
        } else if (way == QStringLiteral("cartelle al posto dei file")) {
            for (const QString& name : writtenFiles) {
                const QString path = files::join(folder, name);
                QFile::remove(path);
                QVERIFY(QDir().mkpath(path));
                QFile inside(files::join(path, QStringLiteral("dentro.txt")));
                QVERIFY(inside.open(QIODevice::WriteOnly));
                inside.write("da non perdere");
            }
        } else if (way == QStringLiteral("attributo immutabile")) {
            const QStringList paths = everything(folder);
            undo.action = [paths] {
                for (const QString& path : paths)
                    run(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
            };
            for (const QString& path : paths) {
                if (!run(QStringLiteral("chattr"), {QStringLiteral("+i"), path}))
                    QSKIP("chattr +i does not work on this file system or for this user");
            }
        } else {
            const QStringList paths = everything(folder);
            for (const QString& path : paths) {
                const bool isFolder = QFileInfo(path).isDir();
                QVERIFY(QFile::setPermissions(path, isFolder
                                                        ? QFile::ReadOwner | QFile::ExeOwner |
                                                              QFile::ReadOther | QFile::ExeOther
                                                        : QFile::ReadOwner | QFile::ReadOther));
            }
            undo.action = [paths] {
                for (const QString& path : paths) {
                    QFile::setPermissions(path,
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                }
            };
            inAnotherProcess = true;
        }

        const Snapshot before = snapshot(watched);
        Outcome outcome;
        if (inAnotherProcess) {
            const QStringList arguments = {operation, folder, QStringLiteral("--as-nobody")};
            QString skip;
            const std::optional<Outcome> reported =
                runInStation(QStringLiteral(TARVOLA_STATION), arguments, skip);
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QVERIFY2(reported, "the station did not finish cleanly");
            outcome = *reported;
        } else {
            outcome = runOperation(operation, folder);
        }
        const Snapshot after = snapshot(watched);

        QVERIFY(outcome.failed);
        QCOMPARE(outcome.messages, messages);
        QCOMPARE(after.keys(), before.keys());
        QVERIFY(after == before);
    }
};

QTEST_MAIN(TestReadOnly)
#include "tst_readonly.moc"
