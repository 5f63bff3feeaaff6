#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace tarvola::bench {

// The times of repeated runs of one operation, in milliseconds.
struct Timing {
    QList<double> runs;
    double median() const;
};

// Runs the operation `runs` times and keeps each duration. `prepare`, when given, runs
// before each timed run and is not timed.
Timing timeRuns(int runs, const std::function<void()>& operation,
                const std::function<void()>& prepare = {});

// Baselines --------------------------------------------------------------------------

// Reads the whole file from start to end in blocks of a megabyte; gives the bytes read.
qint64 readSequentially(const QString& path);

// Runs grep -c for the word on the file (as bytes, C locale); gives the count it prints.
qint64 grepCount(const QString& path, const QByteArray& word);

// Writes a file of the given size, replacing it whole, as a careful program would.
void writeFileOfSize(const QString& path, qint64 size);

// Memory -----------------------------------------------------------------------------

// The resident set of this process now and its peak, in kilobytes (Linux /proc).
qint64 residentKb();
qint64 peakResidentKb();
// Starts a new peak at the present resident size; false where the system cannot.
bool resetPeak();

// Failures of the benchmark itself (a window that did not do what it should).
[[noreturn]] void fail(const QString& what);

} // namespace tarvola::bench
