#pragma once

#include "archive/record.h"
#include "archive/recordlayout.h"
#include "archive/recordscan.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

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

    // Reads in the given number of parts of consecutive records (at most as many as the
    // caller takes), each on a thread of its own, as a large archive is read; with brokenPart
    // set, that part fails after its first record.
    PartedReader partedReader(int wanted) {
        return [this, wanted](int maxParts, const PartVisitor& visit) {
            if (broken)
                return false;
            const int parts = std::max(1, std::min(wanted, maxParts));
            const qsizetype count = records.size();
            std::atomic<bool> failed{false};
            std::vector<std::thread> threads;
            for (int part = 0; part < parts; ++part) {
                threads.emplace_back([&, part] {
                    const qsizetype from = count * part / parts;
                    const qsizetype to = count * (part + 1) / parts;
                    for (qsizetype i = from; i < to; ++i) {
                        if (part == brokenPart && i > from) {
                            failed = true;
                            return;
                        }
                        visit(part, i + 1, RecordView(m_layout, records[i]));
                    }
                });
            }
            for (std::thread& thread : threads)
                thread.join();
            return !failed;
        };
    }

    // Reads the records at the given positions.
    PositionReader positionReader() {
        return [this](const QList<qint64>& positions, const RecordVisitor& visit) {
            for (const qint64 position : positions)
                visit(position, RecordView(m_layout, records[position - 1]));
            return true;
        };
    }

    QList<QByteArray> records;
    bool broken = false;
    int brokenPart = -1;

private:
    const RecordLayout& m_layout;
};

} // namespace tarvola::testing
