// A station killed in the middle of a loop of saves (power cut, task manager): the archive
// still opens, every card the station reported saved is there whole at the position it was
// given, and the next save lands on the boundary after the last whole card.

#include "appendercard.h"

#include "archive/archivefile.h"
#include "ricette/ricettarecord.h"
#include "ricette/tfrmtrovaricette.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace tarvola;
using namespace tarvola::testing;

namespace {

constexpr qint64 cardSize = 2550;

struct Saved {
    QString series;
    int number;
    qint64 position;
};

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestKilledSave : public QObject {
    Q_OBJECT
private slots:
    void cardsReportedSavedSurviveAKill() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(ricetta::archiveName));
        const QString start = dir.filePath(QStringLiteral("via"));
        QFile(start).open(QIODevice::WriteOnly);
        QList<Saved> saved;

        // Each round saves for a while, then is killed at a moment of its loop chosen at
        // random; the archive is looked at after every kill.
        for (const int round : {1, 2, 3, 4}) {
            const QString series = QStringLiteral("K%1").arg(round);
            const int before = int(saved.size());
            const int reportsBeforeKill = 10 + round * 25;
            QProcess station;
            station.start(QStringLiteral(TARVOLA_APPENDER),
                          {path, series, QStringLiteral("1000000"), start});
            QVERIFY(station.waitForStarted());
            QByteArray report;
            while (report.count('\n') < reportsBeforeKill) {
                QVERIFY2(station.waitForReadyRead(30000), "the station stopped saving");
                report += station.readAllStandardOutput();
            }
            QThread::usleep(QRandomGenerator::global()->bounded(3000));
            ::kill(pid_t(station.processId()), SIGKILL);
            QVERIFY(station.waitForFinished(30000));
            QCOMPARE(station.exitStatus(), QProcess::CrashExit);
            report += station.readAllStandardOutput();

            // Only whole lines are reports; a line cut by the kill says nothing.
            const QList<QByteArray> lines = report.left(report.lastIndexOf('\n')).split('\n');
            for (const QByteArray& line : lines) {
                const QList<QByteArray> parts = line.split(' ');
                QCOMPARE(parts.size(), 2);
                saved.append({series, parts[0].toInt(), parts[1].toLongLong()});
            }
            QVERIFY(saved.size() - before >= reportsBeforeKill);

            // The archive opens; every reported card is whole at its position.
            ArchiveFile archive(path, ricetta::layout());
            QVERIFY(archive.count() >= saved.size());
            const QByteArray stored = contents(path);
            for (const Saved& s : saved) {
                QCOMPARE(stored.mid((s.position - 1) * cardSize, cardSize),
                         appenderCard(s.series, s.number).toBytes());
            }
        }

        // Positions were never given twice, the search lists every whole card without a word,
        // and one more save lands on the boundary.
        QSet<qint64> positions;
        for (const Saved& s : saved)
            positions.insert(s.position);
        QCOMPARE(positions.size(), saved.size());
        qint64 count = 0;
        {
            ArchiveFile archive(path, ricetta::layout());
            count = archive.count();
        }
        FakeServices fakes(dir.path());
        TfrmTrovaRicette search(fakes.services);
        search.setTag(QStringLiteral("ricette"));
        search.show();
        control<QAbstractButton>(&search, QStringLiteral("btnCerca"))->click();
        QCOMPARE(search.lines().size(), count);
        QCOMPARE(fakes.messages.texts(), QStringList());
        ArchiveFile archive(path, ricetta::layout());
        QCOMPARE(archive.append(appenderCard(QStringLiteral("Z"), 1)), count + 1);
        archive.close();
        QCOMPARE(QFileInfo(path).size(), (count + 1) * cardSize);
    }
};

QTEST_MAIN(TestKilledSave)
#include "tst_killedsave.moc"
