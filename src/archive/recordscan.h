#pragma once

#include "archive/record.h"
#include "archive/recordlayout.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

namespace tarvola {

// A stored record seen in place: its fields are decoded only when asked for, so a scan
// that looks at a few fields of every record does not decode the others.
class RecordView {
public:
    RecordView(const RecordLayout& layout, QByteArrayView bytes)
        : m_layout(&layout)
        , m_bytes(bytes) {}
    // A view of a record of which only some fields were read (the others read as empty);
    // record() then reads the whole record through whole.
    RecordView(const RecordLayout& layout, QByteArrayView bytes,
               const std::function<QByteArray()>& whole)
        : m_layout(&layout)
        , m_bytes(bytes)
        , m_whole(&whole) {}

    QString field(qsizetype index) const;
    QString field(const QString& name) const;
    // The field's stored Windows-1252 bytes, trimmed (textfield::storedText).
    QByteArrayView storedText(qsizetype index) const;
    // The whole record, every field decoded.
    Record record() const;
    const RecordLayout& layout() const { return *m_layout; }

private:
    const RecordLayout* m_layout;
    QByteArrayView m_bytes;
    const std::function<QByteArray()>* m_whole = nullptr;
};

using RecordVisitor = std::function<void(qint64 position, const RecordView& record)>;

// Reads the archive from its first record to its last, sequentially in large blocks,
// handing each whole record with its 1-based position to visit; a cut-off tail is not a
// record. A missing archive is created empty first. False when the file cannot be
// created, opened or read; the records read until then have been visited.
bool scanArchive(const QString& path, const RecordLayout& layout, const RecordVisitor& visit);

// A reader of one archive of the program folder, in the form the search, list and export
// windows take.
std::function<bool(const RecordVisitor&)> archiveReader(const QString& path,
                                                        const RecordLayout& layout);

// The byte ranges of a record that hold the given fields, in file order, ranges less than
// a kilobyte apart joined into one.
struct ByteRange {
    qint64 offset;
    qint64 size;
    bool operator==(const ByteRange&) const = default;
};
QList<ByteRange> fieldRanges(const RecordLayout& layout, const QList<int>& fields);

// As scanArchive, but reads of each record only the bytes of the given fields: a window
// that looks at a few fields of a large card reads a small part of the file. The view's
// other fields read as empty; its record() reads the whole record (and a failure there
// ends the scan as a failure). Records are counted once, at the start.
bool scanArchiveFields(const QString& path, const RecordLayout& layout, const QList<int>& fields,
                       const RecordVisitor& visit);

// A reader of one archive that reads only the fields a window needs.
std::function<bool(const RecordVisitor&)>
archiveReader(const QString& path, const RecordLayout& layout, QList<int> fields);

// A visitor of a scan in parts: the part the record belongs to (0 for the first records),
// its position and the record.
using PartVisitor = std::function<void(int part, qint64 position, const RecordView& record)>;

// As scanArchiveFields, but the records are split into up to maxParts consecutive runs read
// at once, each on a thread of its own with a handle of its own on the file; a run holds at
// least minPerPart records, so a small archive is read in one run on the calling thread.
// visit is called from those threads at the same time: in file order within a part, and the
// parts are numbered in file order, so a caller that keeps one result per part and joins
// them by part number has them in file order. A view's record() reads the whole record on
// the part's thread. False when the file cannot be created, opened or read; each part then
// stops at its failure.
bool scanArchiveFieldsInParts(const QString& path, const RecordLayout& layout,
                              const QList<int>& fields, int maxParts, qint64 minPerPart,
                              const PartVisitor& visit);

// Reads the records at the given positions (ascending, 1-based), only the given fields, and
// visits them in that order; a position past the end of the file ends the reading. The
// view's record() reads the whole record. False when the file cannot be opened or read.
bool readArchivePositions(const QString& path, const RecordLayout& layout, const QList<int>& fields,
                          const QList<qint64>& positions, const RecordVisitor& visit);

// Whether the scans of some fields hand the system the reads of many records at once,
// where it takes them so (on by default); off, each range of each record is read on its
// own. The tests read both ways.
void setBatchedReads(bool on);

// Readers of one archive for the windows that read it in parts and read chosen records again.
using PartedReader = std::function<bool(int maxParts, const PartVisitor&)>;
using PositionReader = std::function<bool(const QList<qint64>& positions, const RecordVisitor&)>;
// How many parts a large archive is read in on this machine: one per processor, at most 8.
int partsToRead();
PartedReader partedArchiveReader(const QString& path, const RecordLayout& layout, QList<int> fields,
                                 qint64 minPerPart = 2048);
PositionReader positionReader(const QString& path, const RecordLayout& layout, QList<int> fields);
// The same for windows that look at whole records.
PartedReader partedArchiveReader(const QString& path, const RecordLayout& layout);
PositionReader positionReader(const QString& path, const RecordLayout& layout);
// Every field of the layout, for the readers above.
QList<int> allFields(const RecordLayout& layout);

} // namespace tarvola
