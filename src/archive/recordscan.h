#pragma once

#include "archive/record.h"
#include "archive/recordlayout.h"

#include <QByteArrayView>
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

    QString field(qsizetype index) const;
    QString field(const QString& name) const;
    // The field's stored Windows-1252 bytes, trimmed (textfield::storedText).
    QByteArrayView storedText(qsizetype index) const;
    // The whole record, every field decoded.
    Record record() const { return Record::fromBytes(*m_layout, m_bytes); }
    const RecordLayout& layout() const { return *m_layout; }

private:
    const RecordLayout* m_layout;
    QByteArrayView m_bytes;
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

} // namespace tarvola
