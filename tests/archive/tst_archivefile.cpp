#include "appendercard.h"

#include "archive/archivefile.h"
#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using testing::appenderCard;

namespace {

constexpr qint64 size = 2550;

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void store(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// n cards of the series "S" as a file holds them.
QByteArray cards(int n) {
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += appenderCard(QStringLiteral("S"), i).toBytes();
    return bytes;
}

} // namespace

class TestArchiveFile : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Archivio_Ricette.pro"));
        QFile::remove(m_path);
    }

    void missingFileIsCreatedEmpty() {
        ArchiveFile file(m_path, ricetta::layout());
        QCOMPARE(file.count(), 0);
        file.close();
        QVERIFY(files::fileExists(m_path));
        QCOMPARE(QFileInfo(m_path).size(), 0);
    }

    void existingFileIsNeitherEmptiedNorChanged() {
        store(m_path, cards(5));
        {
            ArchiveFile file(m_path, ricetta::layout());
            QCOMPARE(file.count(), 5);
        }
        QCOMPARE(contents(m_path), cards(5));
    }

    void appendsFollowEachOther() {
        for (int n = 1; n <= 3; ++n) {
            ArchiveFile file(m_path, ricetta::layout());
            QCOMPARE(file.append(appenderCard(QStringLiteral("S"), n)), qint64(n));
            file.close();
        }
        QCOMPARE(contents(m_path), cards(3));
        ArchiveFile file(m_path, ricetta::layout());
        QCOMPARE(file.read(2).value(QStringLiteral("Assistito")),
                 QStringLiteral("ASSISTITO S-0002"));
    }

    void writeReplacesOneRecordInPlace() {
        store(m_path, cards(9));
        {
            ArchiveFile file(m_path, ricetta::layout());
            file.write(7, appenderCard(QStringLiteral("T"), 1));
            file.close();
        }
        const QByteArray after = contents(m_path);
        QCOMPARE(after.size(), 9 * size);
        QCOMPARE(after.left(6 * size), cards(6));
        QCOMPARE(after.mid(6 * size, size), appenderCard(QStringLiteral("T"), 1).toBytes());
        QCOMPARE(after.mid(7 * size), cards(9).mid(7 * size));
    }

    void positionsOutsideTheFileFail_data() {
        QTest::addColumn<bool>("writing");
        QTest::addColumn<qint64>("position");
        QTest::newRow("read 0") << false << qint64(0);
        QTest::newRow("read after the last") << false << qint64(4);
        QTest::newRow("read negative") << false << qint64(-1);
        QTest::newRow("write 0") << true << qint64(0);
        QTest::newRow("write after the last") << true << qint64(4);
    }
    void positionsOutsideTheFileFail() {
        QFETCH(bool, writing);
        QFETCH(qint64, position);
        store(m_path, cards(3));
        ArchiveFile file(m_path, ricetta::layout());
        if (writing)
            QVERIFY_THROWS_EXCEPTION(ArchiveError,
                                     file.write(position, appenderCard(QStringLiteral("T"), 1)));
        else
            QVERIFY_THROWS_EXCEPTION(ArchiveError, file.read(position));
        file.close();
        QCOMPARE(contents(m_path), cards(3));
    }

    void cutOffTailIsNotARecordAndGetsOverwritten() {
        store(m_path, cards(2) + QByteArray(1000, 'Z'));
        ArchiveFile file(m_path, ricetta::layout());
        QCOMPARE(file.count(), 2);
        QCOMPARE(file.append(appenderCard(QStringLiteral("T"), 1)), qint64(3));
        file.close();
        QCOMPARE(contents(m_path), cards(2) + appenderCard(QStringLiteral("T"), 1).toBytes());
    }

    void unusableLocationsFailWithoutCreatingAnything() {
        // Sessions run as root, which file permissions do not stop: a folder in the file's
        // place and a program folder that is gone make opening fail for anyone.
        QVERIFY(QDir().mkdir(m_path));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, ArchiveFile(m_path, ricetta::layout()));
        QVERIFY(files::folderExists(m_path));
        QVERIFY(QDir().rmdir(m_path));

        const QString gone = m_dir.filePath(QStringLiteral("gone"));
        QVERIFY_THROWS_EXCEPTION(
            ArchiveError, ArchiveFile(files::join(gone, QStringLiteral("Archivio_Ricette.pro")),
                                      ricetta::layout()));
        QVERIFY(!files::folderExists(gone));
    }

    void twoStationsAppendingTogetherEachKeepTheirCards() {
        const int perStation = 1000;
        const QString start = m_dir.filePath(QStringLiteral("via"));
        QFile::remove(start);
        QProcess a;
        QProcess b;
        for (auto [process, series] : {std::pair{&a, "A"}, std::pair{&b, "B"}}) {
            process->start(QStringLiteral(TARVOLA_APPENDER), {m_path, QString::fromLatin1(series),
                                                              QString::number(perStation), start});
            QVERIFY(process->waitForStarted());
        }
        store(start, QByteArray());
        for (QProcess* process : {&a, &b}) {
            QVERIFY(process->waitForFinished(240000));
            QCOMPARE(process->exitCode(), 0);
        }

        const QByteArray stored = contents(m_path);
        QCOMPARE(stored.size(), 2 * perStation * size);
        // Every position a station was given holds that station's card, whole.
        QSet<qint64> positions;
        for (auto [process, series] : {std::pair{&a, "A"}, std::pair{&b, "B"}}) {
            const QList<QByteArray> lines = process->readAllStandardOutput().trimmed().split('\n');
            QCOMPARE(lines.size(), perStation);
            for (const QByteArray& line : lines) {
                const QList<QByteArray> parts = line.split(' ');
                const int n = parts.at(0).toInt();
                const qint64 position = parts.at(1).toLongLong();
                QCOMPARE(stored.mid((position - 1) * size, size),
                         appenderCard(QString::fromLatin1(series), n).toBytes());
                positions.insert(position);
            }
        }
        QCOMPARE(positions.size(), 2 * perStation);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestArchiveFile)
#include "tst_archivefile.moc"
