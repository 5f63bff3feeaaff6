#pragma once

#include "archive/record.h"
#include "archive/recordlayout.h"
#include "archive/recordscan.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <functional>

namespace tarvola::testing {

// An archive held in memory as the bytes a file would hold, read as the windows read files.
class MemoryArchive {
public:
    explicit MemoryArchive(const RecordLayout& layout)
        : m_layout(layout) {}

    // Adds a record with the given texts for the first fields, in layout order.
    void add(const QStringList& texts) {
        Record r(m_layout);
        for (qsizetype i = 0; i < texts.size(); ++i)
            r.setAt(i, texts[i]);
        records.append(r.toBytes());
    }

    std::function<bool(const RecordVisitor&)> reader() {
        return [this](const RecordVisitor& visit) {
            if (broken)
                return false;
            for (qsizetype i = 0; i < records.size(); ++i)
                visit(i + 1, RecordView(m_layout, records[i]));
            return true;
        };
    }

    QList<QByteArray> records;
    bool broken = false;

private:
    const RecordLayout& m_layout;
};

} // namespace tarvola::testing
