#include "archive/recordscan.h"
#include "support/memoryarchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <stdexcept>
#include <vector>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

const RecordLayout& cardLayout() {
    static const RecordLayout l = [] {
        RecordLayout r;
        r.field(u"Nome"_qs, 50).field(u"Note"_qs, 250);
        return r;
    }();
    return l;
}

// Writes n records "Scheda i" / "nota è i" to path, with a cut-off tail after them.
void writeArchive(const QString& path, int n) {
    MemoryArchive archive(cardLayout());
    for (int i = 1; i <= n; ++i)
        archive.add({QStringLiteral("Scheda %1").arg(i), QStringLiteral("nota è %1").arg(i)});
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const QByteArray& r : archive.records)
        f.write(r);
    f.write(QByteArray(100, 'x'));
}

// A card whose name and note lie far apart, so a scan of both reads two ranges of it.
const RecordLayout& spreadLayout() {
    static const RecordLayout l = [] {
        RecordLayout r;
        r.field(u"Nome"_qs, 50).field(u"Storia"_qs, 250);
        for (int i = 1; i <= 4; ++i) // more than a kilobyte between the name and the note
            r.field(QStringLiteral("Altro%1").arg(i), 250);
        r.field(u"Note"_qs, 250);
        return r;
    }();
    return l;
}

constexpr int spreadNote = 6;

void writeSpreadArchive(const QString& path, int n) {
    MemoryArchive archive(spreadLayout());
    for (int i = 1; i <= n; ++i)
        archive.add({QStringLiteral("Scheda %1").arg(i),
                     QStringLiteral("storia %1").arg(i),
                     {},
                     {},
                     {},
                     {},
                     QStringLiteral("nota è %1").arg(i)});
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const QByteArray& r : archive.records)
        f.write(r);
}

// Reads of many records at once, or one by one, for the length of a test.
struct ReadsTogether {
    explicit ReadsTogether(bool on) { setBatchedReads(on); }
    ~ReadsTogether() { setBatchedReads(true); }
};

} // namespace

class TestRecordScan : public QObject {
    Q_OBJECT
private slots:
    void readsEveryWholeRecordAcrossBlocks() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Prove.pro"_qs);
        MemoryArchive archive(cardLayout());
        const int total = 5000; // about 1.5 MB: more than one block
        for (int i = 1; i <= total; ++i)
            archive.add({QStringLiteral("Scheda %1").arg(i), QStringLiteral("nota è %1").arg(i)});
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (const QByteArray& r : archive.records)
            f.write(r);
        f.write(QByteArray(100, 'x')); // a cut-off tail: not a record
        f.close();

        qint64 seen = 0;
        bool inOrder = true;
        QVERIFY(scanArchive(path, cardLayout(), [&](qint64 position, const RecordView& r) {
            ++seen;
            inOrder = inOrder && position == seen &&
                      r.field(u"Nome"_qs) == QStringLiteral("Scheda %1").arg(position) &&
                      r.field(1) == QStringLiteral("nota è %1").arg(position);
        }));
        QCOMPARE(seen, qint64(total));
        QVERIFY(inOrder);
    }

    // Every record is visited once, in consecutive parts numbered in file order and in file
    // order within each; a field outside the ranges reads empty and the whole record is
    // there on every part's thread.
    void partsVisitEveryRecordOnce_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("maxParts");
        QTest::addColumn<qint64>("minPerPart");
        QTest::addColumn<bool>("onlyName"); // the name's range alone, or whole records
        QTest::addColumn<int>("parts");
        QTest::newRow("one part") << 50 << 1 << qint64(1) << true << 1;
        QTest::newRow("three parts") << 50 << 3 << qint64(1) << true << 3;
        QTest::newRow("few records a part") << 5000 << 8 << qint64(2000) << true << 2;
        QTest::newRow("small archive") << 30 << 4 << qint64(2048) << true << 1;
        QTest::newRow("more parts than records") << 2 << 8 << qint64(1) << true << 2;
        QTest::newRow("whole records in blocks") << 5000 << 3 << qint64(1) << false << 3;
        QTest::newRow("empty archive") << 0 << 4 << qint64(1) << true << 0;
    }
    void partsVisitEveryRecordOnce() {
        QFETCH(int, records);
        QFETCH(int, maxParts);
        QFETCH(qint64, minPerPart);
        QFETCH(bool, onlyName);
        QFETCH(int, parts);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Prove.pro"_qs);
        writeArchive(path, records);
        struct Seen {
            QList<qint64> positions;
            bool right = true;
        };
        std::vector<Seen> seen(size_t(std::max(maxParts, 1)));
        const QList<int> fields = onlyName ? QList<int>{0} : QList<int>{0, 1};
        QVERIFY(scanArchiveFieldsInParts(
            path, cardLayout(), fields, maxParts, minPerPart,
            [&](int part, qint64 position, const RecordView& r) {
                Seen& s = seen[size_t(part)];
                s.positions << position;
                const QString note = QStringLiteral("nota è %1").arg(position);
                s.right = s.right && r.field(0) == QStringLiteral("Scheda %1").arg(position) &&
                          r.field(1) == (onlyName ? QString() : note) &&
                          r.record().value(u"Note"_qs) == note;
            }));
        QList<qint64> all;
        int used = 0;
        for (const Seen& s : seen) {
            QVERIFY(s.right);
            if (!s.positions.isEmpty())
                ++used;
            all << s.positions;
        }
        QCOMPARE(used, parts);
        QList<qint64> expected;
        for (int i = 1; i <= records; ++i)
            expected << i;
        QCOMPARE(all, expected);
    }

    // Both ranges of every record land in their fields, across several rounds of reads
    // and a last, shorter one, whether the reads go to the system together or one by one.
    void rangesOfEveryRecordReadBothWays_data() {
        QTest::addColumn<bool>("together");
        QTest::newRow("together") << true;
        QTest::newRow("one by one") << false;
    }
    void rangesOfEveryRecordReadBothWays() {
        QFETCH(bool, together);
        const ReadsTogether reads(together);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Prove.pro"_qs);
        writeSpreadArchive(path, 300);
        QCOMPARE(fieldRanges(spreadLayout(), {0, spreadNote}).size(), 2);
        std::vector<QList<qint64>> positions(2);
        std::atomic<bool> right{true};
        QVERIFY(scanArchiveFieldsInParts(
            path, spreadLayout(), {0, spreadNote}, 2, 1,
            [&](int part, qint64 position, const RecordView& r) {
                positions[size_t(part)] << position;
                if (r.field(0) != QStringLiteral("Scheda %1").arg(position) ||
                    !r.field(1).isEmpty() ||
                    r.field(spreadNote) != QStringLiteral("nota è %1").arg(position) ||
                    (position % 97 == 0 &&
                     r.record().value(u"Storia"_qs) != QStringLiteral("storia %1").arg(position)))
                    right = false;
            }));
        QVERIFY(right);
        QList<qint64> expected;
        for (int i = 1; i <= 300; ++i)
            expected << i;
        QCOMPARE(positions[0] + positions[1], expected);
    }

    // Another station cutting the archive short while it is read: the scan ends as a
    // success with the records read until then (those read together before the cut
    // included), never with bytes past the new end.
    void archiveCutShortWhileReadEndsTheScan_data() { rangesOfEveryRecordReadBothWays_data(); }
    void archiveCutShortWhileReadEndsTheScan() {
        QFETCH(bool, together);
        const ReadsTogether reads(together);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Prove.pro"_qs);
        writeSpreadArchive(path, 1000);
        qint64 visited = 0;
        bool right = true;
        QVERIFY(scanArchiveFields(
            path, spreadLayout(), {0, spreadNote}, [&](qint64 position, const RecordView& r) {
                ++visited;
                right = right && position == visited &&
                        r.field(spreadNote) == QStringLiteral("nota è %1").arg(position);
                if (position == 3)
                    QVERIFY(QFile::resize(path, 5 * spreadLayout().size() + 10));
            }));
        QVERIFY(right);
        QVERIFY2(visited >= 5 && visited < 1000, qPrintable(QString::number(visited)));
    }

    void partsFailOnAnUnreadableArchiveAndPassOnExceptions() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Cartella.pro"_qs));
        QVERIFY(!scanArchiveFieldsInParts(dir.filePath(u"Cartella.pro"_qs), cardLayout(), {0}, 2, 1,
                                          [](int, qint64, const RecordView&) {}));
        // What a part's visitor throws reaches the caller, after every thread has ended.
        const QString path = dir.filePath(u"Prove.pro"_qs);
        writeArchive(path, 100);
        std::atomic<int> visited{0};
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 scanArchiveFieldsInParts(path, cardLayout(), {0}, 2, 1,
                                                          [&](int part, qint64, const RecordView&) {
                                                              ++visited;
                                                              if (part == 1)
                                                                  throw std::runtime_error("pieno");
                                                          }));
        QVERIFY(visited >= 1 && visited <= 51);
    }

    void chosenPositionsAreReadAgain() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Prove.pro"_qs);
        writeArchive(path, 10);
        QStringList seen;
        QVERIFY(readArchivePositions(path, cardLayout(), {0}, {2, 7, 11, 12},
                                     [&](qint64 position, const RecordView& r) {
                                         seen << u"%1 %2 [%3] %4"_qs.arg(position).arg(
                                             r.field(0), r.field(1), r.record().value(u"Note"_qs));
                                     }));
        // Position 11 is the cut-off tail: the reading ends there.
        QCOMPARE(seen, (QStringList{u"2 Scheda 2 [] nota è 2"_qs, u"7 Scheda 7 [] nota è 7"_qs}));
        QVERIFY(!readArchivePositions(dir.filePath(u"Manca.pro"_qs), cardLayout(), {0}, {1},
                                      [](qint64, const RecordView&) {}));
    }

    void missingArchiveIsCreatedEmpty() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Nuovo.pro"_qs);
        int seen = 0;
        QVERIFY(scanArchive(path, cardLayout(), [&](qint64, const RecordView&) { ++seen; }));
        QCOMPARE(seen, 0);
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void unreadableArchiveFails() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"Cartella.pro"_qs));
        QVERIFY(!scanArchive(dir.filePath(u"Cartella.pro"_qs), cardLayout(),
                             [](qint64, const RecordView&) {}));
        QVERIFY(!scanArchive(dir.filePath(u"manca/Nuovo.pro"_qs), cardLayout(),
                             [](qint64, const RecordView&) {}));
    }
};

QTEST_GUILESS_MAIN(TestRecordScan)
#include "tst_recordscan.moc"
