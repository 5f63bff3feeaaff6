// Backups and restores of a program folder: byte for byte round trips, whole records while
// another station appends, zips that outside programs read, refused bad zips, a full disk.

#include "appendercard.h"
#include "backupfixture.h"

#include "app/practicearchives.h"
#include "backup/backup.h"
#include "ricette/ricettarecord.h"
#include "support/filesizelimit.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <zip.h>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const QDateTime moment(QDate(2026, 3, 14), QTime(9, 30, 5));

backup::Outcome backUp(const QString& program, const QString& folder, const QString& password = {},
                       const QDateTime& when = moment, int keep = 10) {
    backup::Options options;
    options.programFolder = program;
    options.backupFolder = folder;
    options.password = password;
    options.archives = practiceArchives();
    options.when = when;
    options.keep = keep;
    return backup::create(options);
}

// A zip written entry by entry, for the zips no backup of ours would ever be.
struct Entry {
    QString name;
    QByteArray bytes;
    bool link = false;
};

void writeZip(const QString& path, const QList<Entry>& entries) {
    int code = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    QVERIFY(zip);
    QList<QByteArray> kept; // the buffers live until the zip is closed
    for (const Entry& entry : entries) {
        kept << entry.bytes;
        zip_source_t* source =
            zip_source_buffer(zip, kept.last().constData(), zip_uint64_t(kept.last().size()), 0);
        const zip_int64_t index =
            zip_file_add(zip, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        QVERIFY(index >= 0);
        if (entry.link)
            QCOMPARE(zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                                      zip_uint32_t(S_IFLNK | 0777) << 16),
                     0);
    }
    QCOMPARE(zip_close(zip), 0);
}

// A manifest of ours that lists the given entries with their true digests.
QByteArray manifestOf(const QList<Entry>& entries) {
    backup::Manifest manifest;
    manifest.program = QStringLiteral("Tarvola");
    manifest.version = QStringLiteral("3.0");
    manifest.created = moment;
    for (const Entry& e : entries)
        manifest.files << backup::FileEntry{
            e.name, e.bytes.size(),
            QCryptographicHash::hash(e.bytes, QCryptographicHash::Sha256).toHex()};
    return manifest.toJson();
}

int run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

const QString diskFull = QStringLiteral("lo spazio sul disco è esaurito");

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_program = m_dir->filePath(QStringLiteral("Tarvola"));
        m_copies = m_dir->filePath(QStringLiteral("copie"));
        writeTree(m_program, practiceData());
        writeTree(m_program, programFiles());
    }
    void cleanup() { m_dir.reset(); }

    void restoreIntoAnEmptiedFolderGivesBackEveryFile_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("senza password") << QString();
        QTest::newRow("con password") << QStringLiteral("Segreta è 2026");
    }
    void restoreIntoAnEmptiedFolderGivesBackEveryFile() {
        QFETCH(QString, password);
        const backup::Outcome made = backUp(m_program, m_copies, password);
        QVERIFY2(made.ok, qPrintable(made.error));
        QCOMPARE(QFileInfo(made.path).fileName(),
                 QStringLiteral("Tarvola_copia_2026-03-14_093005.zip"));
        QCOMPARE(QDir(m_copies).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(made.path).fileName()});

        const QList<backup::Copy> copies = backup::list(m_copies);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies[0].encrypted, !password.isEmpty());
        QCOMPARE(copies[0].created, QDateTime(QDate(2026, 3, 14), QTime(9, 30, 5)));

        const backup::Outcome checked = backup::inspect(made.path, password);
        QVERIFY2(checked.ok, qPrintable(checked.error));
        QMap<QString, qint64> records;
        for (const backup::ArchiveCount& a : checked.manifest.archives)
            records.insert(a.name, a.records);
        const QMap<QString, qint64> expected = {{QStringLiteral("Archivio_Ricette.pro"), 3},
                                                {QStringLiteral("Pazienti.pro"), 2},
                                                {QStringLiteral("Farmaci.pro"), 4},
                                                {QStringLiteral("2025.med"), 2},
                                                {QStringLiteral("2026.med"), 1}};
        QCOMPARE(records, expected);
        QStringList names;
        for (const backup::FileEntry& f : checked.manifest.files)
            names << f.name;
        QVERIFY(!names.contains(QStringLiteral("tarvola")));
        QVERIFY(!names.contains(QStringLiteral("Guida.pdf")));
        QVERIFY(!names.contains(QStringLiteral("lib/libQt6Core.so.6")));

        QVERIFY(QDir(m_program).removeRecursively());
        QVERIFY(QDir().mkpath(m_program));
        const backup::Outcome restored = backup::restore(made.path, password, m_program);
        QVERIFY2(restored.ok, qPrintable(restored.error));
        QCOMPARE(tree(m_program), practiceData());
    }

    void outsideProgramsReadTheZips() {
        const QString sevenZip = QStandardPaths::findExecutable(QStringLiteral("7z"));
        const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
        QVERIFY2(!sevenZip.isEmpty() && !unzip.isEmpty(), "scripts/setup installs 7z and unzip");
        const QString password = QStringLiteral("Ambulatorio-2026");
        const backup::Outcome plain = backUp(m_program, m_copies);
        const backup::Outcome secret = backUp(m_program, m_copies, password, moment.addSecs(60));
        QVERIFY(plain.ok && secret.ok);
        QCOMPARE(run(unzip, {QStringLiteral("-tq"), plain.path}), 0);
        QCOMPARE(run(sevenZip, {QStringLiteral("t"), QStringLiteral("-p") + password, secret.path}),
                 0);
        QVERIFY(run(sevenZip, {QStringLiteral("t"), QStringLiteral("-pSbagliata"), secret.path}) !=
                0);
        // 7-Zip must find real AES entries, not a clear zip that any password opens.
        QVERIFY(run(unzip, {QStringLiteral("-tq"), QStringLiteral("-P"), QStringLiteral("x"),
                            secret.path}) != 0);
    }

    void badBackupsAreRefusedAndChangeNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString unsafe = QStringLiteral("fuori dalla cartella del programma");
        const QString notOurs = QStringLiteral("non è una copia di sicurezza di Tarvola 3.0");
        QTest::newRow("voce ../") << u"risale"_qs << unsafe;
        QTest::newRow("percorso assoluto") << u"assoluto"_qs << unsafe;
        QTest::newRow("collegamento") << u"collegamento"_qs << unsafe;
        QTest::newRow("file del programma") << u"programma"_qs << unsafe;
        QTest::newRow("troncata") << u"troncata"_qs << QStringLiteral("danneggiata o incompleta");
        QTest::newRow("altro programma") << u"altro"_qs << notOurs;
        QTest::newRow("non è uno zip") << u"testo"_qs << notOurs;
        QTest::newRow("contenuto alterato")
            << u"alterata"_qs << QStringLiteral("non corrisponde al suo elenco di controllo");
        QTest::newRow("password sbagliata")
            << u"sbagliata"_qs << QStringLiteral("La password non è corretta");
        QTest::newRow("password mancante")
            << u"mancante"_qs << QStringLiteral("è protetta da password");
    }
    void badBackupsAreRefusedAndChangeNothing() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QVERIFY(QDir().mkpath(m_copies));
        QString zip =
            QDir(m_copies).filePath(QStringLiteral("Tarvola_copia_2026-03-01_080000.zip"));
        QString password;
        const Entry card{QStringLiteral("Archivio_Ricette.pro"), QByteArray(2550, 'z')};
        auto ours = [&](const Entry& odd) {
            QList<Entry> entries{card, odd};
            entries << Entry{QString::fromLatin1(backup::manifestName), manifestOf(entries)};
            writeZip(zip, entries);
        };
        if (kind == u"risale") {
            ours({QStringLiteral("Documenti_Allegati/../../fuori.txt"), "fuori"});
        } else if (kind == u"assoluto") {
            ours({QStringLiteral("/tmp/tarvola-fuori.txt"), "fuori"});
        } else if (kind == u"collegamento") {
            writeZip(zip, {card,
                           {QStringLiteral("Documenti_Allegati/passwd"), "/etc/passwd", true},
                           {QString::fromLatin1(backup::manifestName), manifestOf({card})}});
        } else if (kind == u"programma") {
            ours({QStringLiteral("tarvola"), "\x7f"
                                             "ELF altro programma"});
        } else if (kind == u"altro") {
            writeZip(zip, {card, {QStringLiteral("README.txt"), "un altro archivio"}});
        } else if (kind == u"testo") {
            zip = QDir(m_copies).filePath(QStringLiteral("appunti.zip"));
            putFile(zip, "non sono uno zip");
        } else if (kind == u"alterata") {
            const QByteArray manifest = manifestOf({card});
            writeZip(zip, {{card.name, QByteArray(2550, 'y')},
                           {QString::fromLatin1(backup::manifestName), manifest}});
        } else {
            const backup::Outcome made =
                backUp(m_program, m_copies, kind == u"troncata" ? QString() : u"giusta"_qs);
            QVERIFY(made.ok);
            zip = made.path;
            password = kind == u"sbagliata" ? u"sbagliata"_qs : QString();
            if (kind == u"troncata") {
                QFile file(zip);
                QVERIFY(file.resize(file.size() / 2));
            }
        }
        const Tree before = tree(m_program);
        const backup::Outcome restored = backup::restore(zip, password, m_program);
        QVERIFY(!restored.ok);
        QVERIFY2(restored.error.contains(message), qPrintable(restored.error));
        QCOMPARE(tree(m_program), before);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/tarvola-fuori.txt")));
        QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("fuori.txt"))));
    }

    void archivesHoldWholeRecordsWhileAnotherStationAppends() {
        const QString archive = QDir(m_program).filePath(QStringLiteral("Archivio_Ricette.pro"));
        QVERIFY(QFile::remove(archive));
        const QString start = m_dir->filePath(QStringLiteral("via"));
        constexpr int cards = 600;
        QProcess appender;
        appender.start(QStringLiteral(TARVOLA_APPENDER),
                       {archive, QStringLiteral("A"), QString::number(cards), start});
        QVERIFY(appender.waitForStarted());
        putFile(start, "via");
        QList<QString> made;
        for (int round = 0; round < 40 && appender.state() != QProcess::NotRunning; ++round) {
            const backup::Outcome outcome =
                backUp(m_program, m_copies, {}, moment.addSecs(round), 0);
            QVERIFY2(outcome.ok, qPrintable(outcome.error));
            made << outcome.path;
        }
        QVERIFY(appender.waitForFinished(120000));
        QCOMPARE(appender.exitCode(), 0);
        QVERIFY(!made.isEmpty());

        const QByteArray appended = [&] {
            QFile file(archive);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QCOMPARE(appended.size(), qsizetype(cards) * 2550);
        for (const QString& path : made) {
            const QString into = m_dir->filePath(QStringLiteral("ripristino"));
            QVERIFY(QDir(into).removeRecursively());
            QVERIFY(QDir().mkpath(into));
            const backup::Outcome restored = backup::restore(path, {}, into);
            QVERIFY2(restored.ok, qPrintable(restored.error));
            QFile copy(QDir(into).filePath(QStringLiteral("Archivio_Ricette.pro")));
            if (!copy.exists())
                continue; // taken before the first card created the archive
            QVERIFY(copy.open(QIODevice::ReadOnly));
            const QByteArray bytes = copy.readAll();
            QCOMPARE(bytes.size() % 2550, 0);
            for (qsizetype n = 0; n < bytes.size() / 2550; ++n) {
                const QByteArray expected = appenderCard(QStringLiteral("A"), int(n + 1)).toBytes();
                QVERIFY2(bytes.mid(n * 2550, 2550) == expected,
                         qPrintable(QStringLiteral("card %1 of %2").arg(n + 1).arg(path)));
            }
        }
    }

    void aFullDiskLeavesNoPartialFile_data() {
        QTest::addColumn<bool>("realDisk");
        QTest::newRow("limite di dimensione") << false;
        QTest::newRow("disco pieno") << true;
    }
    void aFullDiskLeavesNoPartialFile() {
        QFETCH(bool, realDisk);
        // An older backup of a small folder, then a folder too big for what is left.
        const QString small = m_dir->filePath(QStringLiteral("piccola"));
        writeTree(small, {{QStringLiteral("Velmora.ini"), "[A]\r\nB=C\r\n"}});
        const backup::Outcome older = backUp(small, m_copies, {}, moment.addDays(-3));
        QVERIFY(older.ok);
        const QByteArray olderBytes = tree(m_copies).value(QFileInfo(older.path).fileName());
        putFile(QDir(m_program).filePath(QStringLiteral("Documenti_Allegati/scansione.tif")),
                noise(1024 * 1024, 7));

        QString error;
        Tree left;
        if (realDisk) {
            const QString disk = m_dir->filePath(QStringLiteral("disco"));
            QVERIFY(QDir().mkpath(disk));
            QProcess station;
            station.start(QStringLiteral(TARVOLA_STATION), {m_program, disk, older.path});
            QVERIFY(station.waitForFinished(60000));
            const QByteArray report = station.readAllStandardOutput();
            if (station.exitCode() == 77)
                QSKIP(report.constData());
            QCOMPARE(station.exitCode(), 0);
            for (const QByteArray& line : report.split('\n')) {
                const QList<QByteArray> parts = line.split('\t');
                if (parts.value(0) == "ok")
                    QCOMPARE(parts.value(1), QByteArray("0"));
                else if (parts.value(0) == "error")
                    error = QString::fromUtf8(QByteArray::fromPercentEncoding(parts.value(1)));
                else if (parts.value(0) == "file")
                    left.insert(QString::fromUtf8(parts.value(1)), parts.value(2));
            }
            const Tree expected{
                {QFileInfo(older.path).fileName(),
                 QCryptographicHash::hash(olderBytes, QCryptographicHash::Sha256).toHex()}};
            QCOMPARE(left, expected);
        } else {
            backup::Outcome outcome;
            {
                FileSizeLimit full(256 * 1024);
                QVERIFY(full.isSet());
                outcome = backUp(m_program, m_copies, {}, moment, 1);
            }
            QVERIFY(!outcome.ok);
            error = outcome.error;
            QCOMPARE(tree(m_copies), (Tree{{QFileInfo(older.path).fileName(), olderBytes}}));
        }
        QVERIFY2(error.contains(diskFull), qPrintable(error));
        QVERIFY(error.contains(QStringLiteral("Nessun file incompleto")));
    }

    void oldBackupsGoOnlyBeyondTheNumberKept() {
        QStringList names;
        for (int day = 0; day < 4; ++day) {
            const backup::Outcome made = backUp(m_program, m_copies, {}, moment.addDays(day), 3);
            QVERIFY(made.ok);
            names.prepend(QFileInfo(made.path).fileName());
            QCOMPARE(made.removed.size(), day < 3 ? 0 : 1);
        }
        putFile(QDir(m_copies).filePath(QStringLiteral("Tarvola_copia_fatta_a_mano.zip")), "mia");
        QStringList listed;
        for (const backup::Copy& copy : backup::list(m_copies))
            listed << QFileInfo(copy.path).fileName();
        QCOMPARE(listed, names.mid(0, 3)); // newest first; the hand-made file is left alone
        QVERIFY(QFile::exists(
            QDir(m_copies).filePath(QStringLiteral("Tarvola_copia_fatta_a_mano.zip"))));
    }

    void aFolderInsideTheProgramFolderIsRefused_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("refused");
        QTest::newRow("la cartella stessa") << u"Tarvola"_qs << true;
        QTest::newRow("una sua sottocartella") << u"Tarvola/Copie"_qs << true;
        QTest::newRow("scritta con ..") << u"altro/../Tarvola/Copie/nuova"_qs << true;
        QTest::newRow("accanto") << u"Tarvola_copie"_qs << false;
        QTest::newRow("sopra") << u"."_qs << false;
    }
    void aFolderInsideTheProgramFolderIsRefused() {
        QFETCH(QString, relative);
        QFETCH(bool, refused);
        const QString folder = m_dir->filePath(relative);
        QCOMPARE(!backup::folderProblem(m_program, folder).isEmpty(), refused);
        const backup::Outcome outcome = backUp(m_program, folder);
        QCOMPARE(outcome.ok, !refused);
        if (refused)
            QVERIFY(!QDir(m_program).exists(QStringLiteral("Copie")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    QString m_copies;
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
