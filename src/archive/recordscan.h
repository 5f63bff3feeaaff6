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

} // namespace tarvola
