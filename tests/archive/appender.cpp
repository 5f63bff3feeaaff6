// Appends a series of red prescription cards to an archive, as a second station would.
// Usage: archive_appender <archive> <series> <count> <start-file>
// It waits until <start-file> exists, so that two appenders begin together, then prints
// "<number> <position>" for every card as soon as it is appended.

#include "appendercard.h"

#include "archive/archivefile.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

using namespace tarvola;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    const QString archive = args[1];
    const QString series = args[2];
    const int count = args[3].toInt();
    while (!files::fileExists(args[4]))
        QThread::usleep(200);

    QTextStream out(stdout);
    try {
        for (int n = 1; n <= count; ++n) {
            ArchiveFile file(archive, ricetta::layout());
            const qint64 position = file.append(testing::appenderCard(series, n));
            file.close();
            out << n << ' ' << position << Qt::endl; // reported only once it is saved
        }
    } catch (const ArchiveError& e) {
        QTextStream(stderr) << e.what() << '\n';
        return 1;
    }
    return 0;
}
