#include "archive/recordscan.h"

#include "archive/archivefile.h"
#include "archive/textfield.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tarvola {

QString RecordView::field(qsizetype index) const {
    const FieldDef& f = m_layout->at(index);
    return textfield::decode(m_bytes.sliced(f.offset, f.bytes()), f.capacity);
}

QByteArrayView RecordView::storedText(qsizetype index) const {
    const FieldDef& f = m_layout->at(index);
    return textfield::storedText(m_bytes.sliced(f.offset, f.bytes()), f.capacity);
}

Record RecordView::record() const {
    if (m_whole)
        return Record::fromBytes(*m_layout, (*m_whole)());
    return Record::fromBytes(*m_layout, m_bytes);
}

QString RecordView::field(const QString& name) const {
    const qsizetype index = m_layout->indexOf(name);
    Q_ASSERT_X(index >= 0, "RecordView::field", qPrintable(name));
    return field(index);
}

namespace {

// Opens the archive for reading, creating it empty first when missing.
bool openForScan(QFile& file) {
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        file.close();
    }
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

// Reads size bytes at offset; the number read, short only at the end of the file, or -1.
// One positioned read where the system has it; elsewhere a seek and a read of the file.
qint64 readAt(QFile& file, char* data, qint64 size, qint64 offset) {
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, data + done, size_t(size - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
#else
    if (!file.seek(offset))
        return -1;
    return file.read(data, size);
#endif
}

} // namespace

bool scanArchive(const QString& path, const RecordLayout& layout, const RecordVisitor& visit) {
    QFile file(path);
    if (!openForScan(file))
        return false;
    const qint64 size = layout.size();
    // About a megabyte at a time, always whole records.
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / size);
    QByteArray block(perBlock * size, Qt::Uninitialized);
    qint64 position = 0;
    qint64 held = 0; // bytes of block holding data not yet handed out
    for (;;) {
        const qint64 got = file.read(block.data() + held, block.size() - held);
        if (got < 0)
            return false;
        held += got;
        const qint64 whole = held / size;
        for (qint64 i = 0; i < whole; ++i)
            visit(++position, RecordView(layout, QByteArrayView(block).sliced(i * size, size)));
        const qint64 rest = held - whole * size;
        if (got == 0)
            return true; // what is left is a cut-off tail, not a record
        if (rest > 0 && whole > 0)
            std::memmove(block.data(), block.data() + whole * size, rest);
        held = rest;
    }
}

std::function<bool(const RecordVisitor&)> archiveReader(const QString& path,
                                                        const RecordLayout& layout) {
    return [path, &layout](const RecordVisitor& visit) { return scanArchive(path, layout, visit); };
}

QList<ByteRange> fieldRanges(const RecordLayout& layout, const QList<int>& fields) {
    // Reading up to a kilobyte more costs less than a read of its own.
    constexpr qint64 joinGap = 1024;
    QList<ByteRange> ranges;
    for (const int index : fields) {
        const FieldDef& f = layout.at(index);
        ranges.append({f.offset, f.bytes()});
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.offset < b.offset; });
    QList<ByteRange> joined;
    for (const ByteRange& r : std::as_const(ranges)) {
        if (!joined.isEmpty() && r.offset <= joined.last().offset + joined.last().size + joinGap) {
            ByteRange& last = joined.last();
            last.size = std::max(last.size, r.offset + r.size - last.offset);
        } else {
            joined.append(r);
        }
    }
    return joined;
}

bool scanArchiveFields(const QString& path, const RecordLayout& layout, const QList<int>& fields,
                       const RecordVisitor& visit) {
    const QList<ByteRange> ranges = fieldRanges(layout, fields);
    qint64 covered = 0;
    for (const ByteRange& r : ranges)
        covered += r.size;
    // Fields spread over most of the record: reading it whole in large blocks is cheaper.
    if (covered * 2 > layout.size())
        return scanArchive(path, layout, visit);

    QFile file(path);
    if (!openForScan(file))
        return false;
    const qint64 size = layout.size();
    const qint64 count = file.size() / size;
    // The bytes outside the ranges stay zero: their fields read as empty texts.
    QByteArray record(size, '\0');
    qint64 start = 0;
    const std::function<QByteArray()> whole = [&]() {
        QByteArray bytes(size, Qt::Uninitialized);
        if (readAt(file, bytes.data(), size, start) != size)
            throw ArchiveError("cannot read a whole record");
        return bytes;
    };
    try {
        for (qint64 position = 1; position <= count; ++position) {
            start = (position - 1) * size;
            for (const ByteRange& r : ranges) {
                const qint64 got = readAt(file, record.data() + r.offset, r.size, start + r.offset);
                if (got < 0)
                    return false;
                if (got < r.size)
                    return true; // the file got shorter meanwhile: its end is here
            }
            visit(position, RecordView(layout, QByteArrayView(record), whole));
        }
    } catch (const ArchiveError&) {
        return false;
    }
    return true;
}

std::function<bool(const RecordVisitor&)>
archiveReader(const QString& path, const RecordLayout& layout, QList<int> fields) {
    return [path, &layout, fields = std::move(fields)](const RecordVisitor& visit) {
        return scanArchiveFields(path, layout, fields, visit);
    };
}

} // namespace tarvola
