// The record reader: any bytes, as one red prescription or as a whole archive file, read
// without fault; the sequential scan and the record-at-a-time file agree on every record;
// list lines and filters take any field contents.

#include "fuzzing.h"

#include "archive/archivefile.h"
#include "archive/recordscan.h"
#include "archive/searchlogic.h"
#include "ricette/ricettarecord.h"
#include "ricette/ricettesearch.h"

#include <QList>

#include <sys/mman.h>
#include <unistd.h>

using namespace tarvola;

namespace {

// The archive lives in memory, reached by a path like any file.
const QString& archivePath() {
    static const QString path = [] {
        const int fd = ::memfd_create("Archivio_Ricette.pro", 0);
        FUZZ_CHECK(fd >= 0);
        return QStringLiteral("/proc/self/fd/%1").arg(fd);
    }();
    return path;
}

void storeArchive(QByteArrayView bytes) {
    const int fd = archivePath().section(u'/', -1).toInt();
    FUZZ_CHECK(::ftruncate(fd, 0) == 0);
    FUZZ_CHECK(::pwrite(fd, bytes.data(), size_t(bytes.size()), 0) == bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RecordLayout& layout = ricetta::layout();
    const QByteArrayView input = fuzzing::view(data, size);

    // One record from exactly its size of bytes (the input repeated or cut to it).
    QByteArray one(input.toByteArray());
    while (!one.isEmpty() && one.size() < layout.size())
        one += one;
    one = one.isEmpty() ? QByteArray(layout.size(), '\0') : one.left(layout.size());
    const Record record = Record::fromBytes(layout, one);
    const RecordView view(layout, one);
    for (qsizetype i = 0; i < layout.count(); ++i) {
        FUZZ_CHECK(view.field(i) == record.at(i));
        FUZZ_CHECK(record.at(i).size() <= layout.at(i).capacity);
    }
    // What was read stores and reads back the same.
    FUZZ_CHECK(Record::fromBytes(layout, record.toBytes()).toBytes() == record.toBytes());
    const QString line = listLine(view, ricetta::listColumns());
    FUZZ_CHECK(line.startsWith(view.field(0).left(30)));
    const QList<Filter> filters =
        filtersInUse({{0, fuzzing::text(input.first(std::min<qsizetype>(input.size(), 8)))},
                      {int(layout.indexOf(QStringLiteral("Data"))), record.at(2).left(3)}});
    matchesAll(view, filters);

    // The input as a whole archive: the scan and the file see the same whole records.
    storeArchive(input);
    QList<QByteArray> scanned;
    FUZZ_CHECK(scanArchive(archivePath(), layout, [&](qint64 position, const RecordView& r) {
        FUZZ_CHECK(position == scanned.size() + 1);
        scanned << r.record().toBytes();
    }));
    FUZZ_CHECK(scanned.size() == input.size() / layout.size());
    ArchiveFile archive(archivePath(), layout);
    FUZZ_CHECK(archive.count() == scanned.size());
    for (qsizetype i = 0; i < scanned.size(); ++i)
        FUZZ_CHECK(archive.read(i + 1).toBytes() == scanned[i]);
    return 0;
}
