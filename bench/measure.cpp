#include "bench/measure.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tarvola::bench {

double Timing::median() const {
    if (runs.isEmpty())
        return 0;
    QList<double> sorted = runs;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype mid = sorted.size() / 2;
    return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

Timing timeRuns(int runs, const std::function<void()>& operation,
                const std::function<void()>& prepare) {
    Timing timing;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer clock;
        clock.start();
        operation();
        timing.runs << double(clock.nsecsElapsed()) / 1e6;
    }
    return timing;
}

qint64 readSequentially(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("cannot read ") + path);
    // Into a block beginning on a page boundary, as the fastest careful reader would: the
    // system copies into memory a few bytes off a cache line several times slower, and an
    // allocated array lands there or not from run to run.
    constexpr qint64 size = 1 << 20;
    constexpr quintptr page = 4096;
    const std::unique_ptr<char[]> raw(new char[size + page]);
    char* const block = raw.get() + (page - reinterpret_cast<quintptr>(raw.get()) % page) % page;
    qint64 total = 0;
    for (;;) {
        const qint64 got = file.read(block, size);
        if (got < 0)
            fail(QStringLiteral("cannot read ") + path);
        if (got == 0)
            return total;
        total += got;
    }
}

qint64 grepCount(const QString& path, const QByteArray& word) {
    QProcess grep;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    grep.setProcessEnvironment(environment);
    grep.start(QStringLiteral("grep"),
               {QStringLiteral("-c"), QStringLiteral("-a"), QString::fromLatin1(word), path});
    if (!grep.waitForFinished(-1) || grep.exitStatus() != QProcess::NormalExit)
        fail(QStringLiteral("grep did not run"));
    return grep.readAllStandardOutput().trimmed().toLongLong();
}

void writeFileOfSize(const QString& path, qint64 size) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("cannot write ") + path);
    const QByteArray block(1 << 20, 'x');
    for (qint64 left = size; left > 0;) {
        const qint64 n = std::min<qint64>(left, block.size());
        if (file.write(block.constData(), n) != n)
            fail(QStringLiteral("cannot write ") + path);
        left -= n;
    }
    if (!file.commit())
        fail(QStringLiteral("cannot write ") + path);
}

namespace {

qint64 statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

qint64 residentKb() {
    return statusKb("VmRSS:");
}

qint64 peakResidentKb() {
    return statusKb("VmHWM:");
}

bool resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

void fail(const QString& what) {
    QTextStream(stderr) << "tarvola-bench: " << what << '\n';
    std::exit(1);
}

} // namespace tarvola::bench
