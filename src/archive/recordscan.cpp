#include "archive/recordscan.h"

#include "archive/archivefile.h"
#include "archive/textfield.h"
#include "platform/descriptor.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef TARVOLA_HAVE_URING
#include <liburing.h>
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
    return descriptor::readAt(file.handle(), data, size, offset);
#else
    if (!file.seek(offset))
        return -1;
    return file.read(data, size);
#endif
}

// A block of memory beginning on a page boundary: the system copies file data into it
// several times faster than into memory a few bytes off a cache line, as an allocated array
// of a megabyte usually is.
class AlignedBlock {
public:
    explicit AlignedBlock(qint64 size)
        : m_raw(new char[size_t(size + pageSize)]) {
        const auto at = reinterpret_cast<quintptr>(m_raw.get());
        m_data = m_raw.get() + (pageSize - at % pageSize) % pageSize;
    }
    char* data() const { return m_data; }

private:
    static constexpr qint64 pageSize = 4096;
    std::unique_ptr<char[]> m_raw;
    char* m_data;
};

std::atomic<bool> batchedReads{true};

// Reads many pieces of an open file. A read call costs more than copying a few kilobytes,
// so where the system takes a whole list of reads in one call (io_uring) the pieces go
// to it together; elsewhere, or when it refuses the list, each is one positioned read.
class BatchReads {
public:
    struct Piece {
        char* data;
        qint64 size;
        qint64 offset;
        qint64 got = 0; // the bytes read, short only at the end of the file, or -1
    };

    explicit BatchReads(QFile& file)
        : m_file(file) {
#ifdef TARVOLA_HAVE_URING
        m_ring = batchedReads.load(std::memory_order_relaxed) &&
                 io_uring_queue_init(depth, &m_uring, 0) == 0;
#endif
    }
    ~BatchReads() {
#ifdef TARVOLA_HAVE_URING
        if (m_ring)
            io_uring_queue_exit(&m_uring);
#endif
    }
    BatchReads(const BatchReads&) = delete;
    BatchReads& operator=(const BatchReads&) = delete;

    void read(std::vector<Piece>& pieces) {
        size_t done = 0;
#ifdef TARVOLA_HAVE_URING
        while (m_ring && done < pieces.size()) {
            const size_t batch = std::min<size_t>(depth, pieces.size() - done);
            if (!readTogether(pieces, done, batch))
                break;
            done += batch;
        }
#endif
        // Without the ring, or after it failed, one read each (of pieces read twice, the
        // second read is the one that counts).
        for (size_t i = done; i < pieces.size(); ++i) {
            Piece& p = pieces[i];
            p.got = readAt(m_file, p.data, p.size, p.offset);
        }
    }

private:
#ifdef TARVOLA_HAVE_URING
    static constexpr unsigned depth = 256;

    // Reads pieces from..from+count with one call; a piece the ring read short or not at
    // all (an error, a read interrupted, a system without ring reads) is read again on its
    // own, which tells a true end of the file or error. False when the ring itself fails;
    // it is then given up.
    bool readTogether(std::vector<Piece>& pieces, size_t from, size_t count) {
        for (size_t i = from; i < from + count; ++i) {
            io_uring_sqe* sqe = io_uring_get_sqe(&m_uring);
            if (!sqe) {
                m_ring = false;
                return false;
            }
            Piece& p = pieces[i];
            io_uring_prep_read(sqe, m_file.handle(), p.data, unsigned(p.size), quint64(p.offset));
            io_uring_sqe_set_data64(sqe, i);
            p.got = -1;
        }
        int submitted;
        do
            submitted = io_uring_submit_and_wait(&m_uring, unsigned(count));
        while (submitted == -EINTR);
        if (submitted < 0 || size_t(submitted) != count) {
            drop(size_t(std::max(submitted, 0)));
            m_ring = false;
            return false;
        }
        for (size_t left = count; left > 0;) {
            io_uring_cqe* cqe = nullptr;
            const int waited = io_uring_wait_cqe(&m_uring, &cqe);
            if (waited == -EINTR)
                continue;
            if (waited < 0) {
                drop(left);
                m_ring = false;
                return false;
            }
            Piece& p = pieces[size_t(io_uring_cqe_get_data64(cqe))];
            p.got = cqe->res;
            io_uring_cqe_seen(&m_uring, cqe);
            --left;
        }
        for (size_t i = from; i < from + count; ++i) {
            Piece& p = pieces[i];
            if (p.got != p.size)
                p.got = readAt(m_file, p.data, p.size, p.offset);
        }
        return true;
    }

    // Waits out the reads already handed to a ring being given up, so none of them writes
    // into memory after it is freed.
    void drop(size_t inFlight) {
        while (inFlight > 0) {
            io_uring_cqe* cqe = nullptr;
            const int waited = io_uring_wait_cqe(&m_uring, &cqe);
            if (waited == -EINTR)
                continue;
            if (waited < 0)
                return; // the ring is gone; its exit below waits for what is left
            io_uring_cqe_seen(&m_uring, cqe);
            --inFlight;
        }
    }

    io_uring m_uring{};
    bool m_ring = false;
#endif
    QFile& m_file;
};

} // namespace

void setBatchedReads(bool on) {
    batchedReads = on;
}

bool scanArchive(const QString& path, const RecordLayout& layout, const RecordVisitor& visit) {
    QFile file(path);
    if (!openForScan(file))
        return false;
    const qint64 size = layout.size();
    // About a megabyte at a time, always whole records.
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / size);
    const qint64 blockSize = perBlock * size;
    const AlignedBlock block(blockSize);
    qint64 position = 0;
    qint64 held = 0; // bytes of block holding data not yet handed out
    for (;;) {
        const qint64 got = file.read(block.data() + held, blockSize - held);
        if (got < 0)
            return false;
        held += got;
        const qint64 whole = held / size;
        for (qint64 i = 0; i < whole; ++i)
            visit(++position, RecordView(layout, QByteArrayView(block.data() + i * size, size)));
        const qint64 rest = held - whole * size;
        if (got == 0)
            return true; // what is left is a cut-off tail, not a record
        if (rest > 0 && whole > 0)
            std::memmove(block.data(), block.data() + whole * size, size_t(rest));
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

namespace {

// The bytes a scan of some fields reads of every record; the whole record as one range when
// the fields spread over most of it (reading it whole is then cheaper than in pieces).
QList<ByteRange> rangesToRead(const RecordLayout& layout, const QList<int>& fields) {
    const QList<ByteRange> ranges = fieldRanges(layout, fields);
    qint64 covered = 0;
    for (const ByteRange& r : ranges)
        covered += r.size;
    if (covered * 2 > layout.size())
        return {{0, layout.size()}};
    return ranges;
}

bool wholeRecord(const RecordLayout& layout, const QList<ByteRange>& ranges) {
    return ranges.size() == 1 && ranges.front().offset == 0 && ranges.front().size == layout.size();
}

// Reads records of an open archive one at a time at their positions: the bytes of the ranges
// go into a record of zeros, so the other fields read as empty texts, and the whole record is
// read when a view asks for it.
class RangedReads {
public:
    RangedReads(QFile& file, const RecordLayout& layout, const QList<ByteRange>& ranges)
        : m_file(file)
        , m_layout(layout)
        , m_ranges(ranges)
        , m_record(layout.size(), '\0')
        , m_partial(!wholeRecord(layout, ranges))
        , m_whole([this] {
            const qint64 size = m_layout.size();
            QByteArray bytes(size, Qt::Uninitialized);
            if (readAt(m_file, bytes.data(), size, m_start) != size)
                throw ArchiveError("cannot read a whole record");
            return bytes;
        }) {}

    enum class Read { Visited, End, Failed };

    // Visits the record at position whose ranges were read already: pieces[0..] are its
    // ranges in their order. End when the file held no whole record there (it got shorter
    // meanwhile); a failure to read the whole record when the view asks is a failure.
    Read visitRead(qint64 position, const BatchReads::Piece* pieces, const RecordVisitor& visit) {
        m_start = (position - 1) * m_layout.size();
        for (qsizetype i = 0; i < m_ranges.size(); ++i) {
            const BatchReads::Piece& p = pieces[i];
            if (p.got < 0)
                return Read::Failed;
            if (p.got < p.size)
                return Read::End;
            std::memcpy(m_record.data() + m_ranges[i].offset, p.data, size_t(p.size));
        }
        return visitRecord(position, visit);
    }

private:
    Read visitRecord(qint64 position, const RecordVisitor& visit) {
        try {
            if (m_partial)
                visit(position, RecordView(m_layout, QByteArrayView(m_record), m_whole));
            else
                visit(position, RecordView(m_layout, QByteArrayView(m_record)));
        } catch (const ArchiveError&) {
            return Read::Failed;
        }
        return Read::Visited;
    }

    QFile& m_file;
    const RecordLayout& m_layout;
    const QList<ByteRange>& m_ranges;
    QByteArray m_record;
    const bool m_partial;
    qint64 m_start = 0;
    const std::function<QByteArray()> m_whole;
};

// Visits the records from..to of an open archive read whole, about a megabyte at a time.
bool scanWholeRun(QFile& file, const RecordLayout& layout, qint64 from, qint64 to,
                  const std::atomic<bool>& stop, const RecordVisitor& visit) {
    const qint64 size = layout.size();
    const qint64 perBlock = std::max<qint64>(1, (1 << 20) / size);
    const AlignedBlock block(perBlock * size);
    for (qint64 position = from; position <= to;) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        const qint64 wanted = std::min(perBlock, to - position + 1);
        const qint64 got = readAt(file, block.data(), wanted * size, (position - 1) * size);
        if (got < 0)
            return false;
        const qint64 whole = got / size;
        for (qint64 i = 0; i < whole; ++i)
            visit(position + i, RecordView(layout, QByteArrayView(block.data() + i * size, size)));
        if (whole < wanted)
            return true; // the file got shorter meanwhile: its end is here
        position += whole;
    }
    return true;
}

// Visits n records of an open archive, the i-th at positionAt(i) (ascending), reading their
// ranges: those of many records are read together into one block, each range on a cache
// line of its own, then the records are visited one at a time. Stops early (as a success)
// where the file ends, and (as a failure) once stop is set by another part.
bool visitRanged(QFile& file, const RecordLayout& layout, const QList<ByteRange>& ranges, qint64 n,
                 const std::function<qint64(qint64)>& positionAt, const std::atomic<bool>& stop,
                 const RecordVisitor& visit) {
    RangedReads reads(file, layout, ranges);
    constexpr qint64 line = 64;
    std::vector<qint64> slot; // where each range goes within a record's share of the block
    qint64 perRecord = 0;
    for (const ByteRange& r : ranges) {
        slot.push_back(perRecord);
        perRecord += (r.size + line - 1) / line * line;
    }
    // Up to 128 records a round, in about a megabyte at most.
    const qint64 perBatch = std::clamp<qint64>((1 << 20) / perRecord, 1, 128);
    const AlignedBlock block(perBatch * perRecord);
    BatchReads batch(file);
    std::vector<BatchReads::Piece> pieces;
    const qint64 size = layout.size();
    for (qint64 first = 0; first < n; first += perBatch) {
        const qint64 count = std::min(perBatch, n - first);
        pieces.clear();
        for (qint64 i = 0; i < count; ++i) {
            char* const share = block.data() + i * perRecord;
            const qint64 start = (positionAt(first + i) - 1) * size;
            for (qsizetype k = 0; k < ranges.size(); ++k)
                pieces.push_back(
                    {share + slot[size_t(k)], ranges[k].size, start + ranges[k].offset});
        }
        batch.read(pieces);
        for (qint64 i = 0; i < count; ++i) {
            if (stop.load(std::memory_order_relaxed))
                return false;
            const RangedReads::Read read =
                reads.visitRead(positionAt(first + i), pieces.data() + i * ranges.size(), visit);
            if (read == RangedReads::Read::Failed)
                return false;
            if (read == RangedReads::Read::End)
                return true;
        }
    }
    return true;
}

// Visits the records from..to of an open archive, reading their ranges; stops early (as a
// success) where the file ends, and (as a failure) once stop is set by another part.
bool scanRun(QFile& file, const RecordLayout& layout, const QList<ByteRange>& ranges, qint64 from,
             qint64 to, const std::atomic<bool>& stop, const RecordVisitor& visit) {
    if (wholeRecord(layout, ranges))
        return scanWholeRun(file, layout, from, to, stop, visit);
    return visitRanged(
        file, layout, ranges, to - from + 1, [from](qint64 i) { return from + i; }, stop, visit);
}

} // namespace

bool scanArchiveFields(const QString& path, const RecordLayout& layout, const QList<int>& fields,
                       const RecordVisitor& visit) {
    const QList<ByteRange> ranges = rangesToRead(layout, fields);
    if (wholeRecord(layout, ranges))
        return scanArchive(path, layout, visit);
    QFile file(path);
    if (!openForScan(file))
        return false;
    const std::atomic<bool> never{false};
    return scanRun(file, layout, ranges, 1, file.size() / layout.size(), never, visit);
}

bool scanArchiveFieldsInParts(const QString& path, const RecordLayout& layout,
                              const QList<int>& fields, int maxParts, qint64 minPerPart,
                              const PartVisitor& visit) {
    QFile first(path);
    if (!openForScan(first))
        return false;
    const QList<ByteRange> ranges = rangesToRead(layout, fields);
    // Records are counted once, at the start; records appended meanwhile are not read.
    const qint64 count = first.size() / layout.size();
    const int parts =
        int(std::clamp<qint64>(count / std::max<qint64>(minPerPart, 1), 1, std::max(maxParts, 1)));
    std::atomic<bool> failed{false};
    const auto runPart = [&](int part, QFile& file) {
        const qint64 from = count * part / parts + 1;
        const qint64 to = count * (part + 1) / parts;
        const bool ok = scanRun(
            file, layout, ranges, from, to, failed,
            [&](qint64 position, const RecordView& record) { visit(part, position, record); });
        if (!ok)
            failed = true;
    };
    if (parts == 1) {
        runPart(0, first);
        return !failed;
    }

    // Every part but the first on a thread of its own; the calling thread reads the first.
    // A part's exception (out of memory, say) stops the others and is thrown again here.
    std::vector<std::exception_ptr> errors(static_cast<size_t>(parts));
    const auto guarded = [&](int part, QFile& file) {
        try {
            runPart(part, file);
        } catch (...) {
            errors[size_t(part)] = std::current_exception();
            failed = true;
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(size_t(parts - 1));
    for (int part = 1; part < parts; ++part) {
        threads.emplace_back([&, part] {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
                failed = true;
                return;
            }
            guarded(part, file);
        });
    }
    guarded(0, first);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& error : errors) {
        if (error)
            std::rethrow_exception(error);
    }
    return !failed;
}

bool readArchivePositions(const QString& path, const RecordLayout& layout, const QList<int>& fields,
                          const QList<qint64>& positions, const RecordVisitor& visit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const QList<ByteRange> ranges = rangesToRead(layout, fields);
    const qint64 count = file.size() / layout.size(); // a cut-off tail is not a record
    // The reading ends at the first position past the last whole record.
    const qint64 n =
        std::upper_bound(positions.cbegin(), positions.cend(), count) - positions.cbegin();
    const std::atomic<bool> never{false};
    return visitRanged(
        file, layout, ranges, n, [&positions](qint64 i) { return positions[i]; }, never, visit);
}

int partsToRead() {
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

PartedReader partedArchiveReader(const QString& path, const RecordLayout& layout, QList<int> fields,
                                 qint64 minPerPart) {
    return [path, &layout, fields = std::move(fields), minPerPart](int maxParts,
                                                                   const PartVisitor& visit) {
        return scanArchiveFieldsInParts(path, layout, fields, maxParts, minPerPart, visit);
    };
}

PositionReader positionReader(const QString& path, const RecordLayout& layout, QList<int> fields) {
    return [path, &layout, fields = std::move(fields)](const QList<qint64>& positions,
                                                       const RecordVisitor& visit) {
        return readArchivePositions(path, layout, fields, positions, visit);
    };
}

QList<int> allFields(const RecordLayout& layout) {
    QList<int> fields;
    for (qsizetype i = 0; i < layout.count(); ++i)
        fields.append(int(i));
    return fields;
}

PartedReader partedArchiveReader(const QString& path, const RecordLayout& layout) {
    return partedArchiveReader(path, layout, allFields(layout));
}

PositionReader positionReader(const QString& path, const RecordLayout& layout) {
    return positionReader(path, layout, allFields(layout));
}

std::function<bool(const RecordVisitor&)>
archiveReader(const QString& path, const RecordLayout& layout, QList<int> fields) {
    return [path, &layout, fields = std::move(fields)](const RecordVisitor& visit) {
        return scanArchiveFields(path, layout, fields, visit);
    };
}

} // namespace tarvola
