#pragma once

#include <QList>
#include <QString>

namespace tarvola::bench {

// One line of the result: our median next to its baseline's, their ratio and the target
// the ratio must stay under (none for lines that only give a comparison).
struct Result {
    QString archive;
    qint64 records = 0;
    QString measurement;
    double ours = 0;
    QString baseline;
    double base = 0;
    QString unit;      // "ms" or "MB"
    double target = 0; // 0: no target
    double ratio() const { return base > 0 ? ours / base : 0; }
    bool met() const { return target <= 0 || ratio() < target; }
};

// The table of every result, aligned for a terminal (and readable as Markdown).
QString resultTable(const QList<Result>& results);

// "100 000": thousands apart by a blank.
QString grouped(qint64 number);

} // namespace tarvola::bench
