#include "archive/recordscan.h"
#include "support/memoryarchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
