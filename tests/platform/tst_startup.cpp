#include "platform/startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvola;
using namespace Qt::StringLiterals;

namespace {

// The loader that starts this machine's programs, where there is one of the usual names.
QString dynamicLoader() {
    for (const QString& path : {u"/lib64/ld-linux-x86-64.so.2"_s, u"/lib/ld-linux-aarch64.so.1"_s,
                                u"/lib/ld-linux-armhf.so.3"_s, u"/lib/ld-linux.so.2"_s}) {
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

// What the probe printed, started as program with arguments in workingFolder.
QString probeFolder(const QString& program, const QStringList& arguments,
                    const QString& workingFolder) {
    QProcess probe;
    probe.setWorkingDirectory(workingFolder);
    probe.start(program, arguments);
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit)
        return u"<did not finish>"_s;
    return QString::fromLocal8Bit(probe.readAllStandardOutput());
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void recognisesTheDynamicLoader_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("loader");
        QTest::newRow("x86-64") << u"/usr/lib/x86_64-linux-gnu/ld-linux-x86-64.so.2"_s << true;
        QTest::newRow("arm64") << u"/lib/ld-linux-aarch64.so.1"_s << true;
        QTest::newRow("i386") << u"/lib/ld-linux.so.2"_s << true;
        QTest::newRow("musl") << u"/lib/ld-musl-x86_64.so.1"_s << true;
        QTest::newRow("plain ld.so") << u"/usr/bin/ld.so"_s << true;
        QTest::newRow("the program") << u"/media/chiavetta/Tarvola/tarvola"_s << false;
        QTest::newRow("ldd") << u"/usr/bin/ldd"_s << false;
        QTest::newRow("a library") << u"/usr/lib/libldap.so.2"_s << false;
        QTest::newRow("a folder named like it") << u"/ld-linux.so.2/tarvola"_s << false;
    }
    void recognisesTheDynamicLoader() {
        QFETCH(QString, path);
        QFETCH(bool, loader);
        QCOMPARE(startup::isDynamicLoader(path), loader);
    }

    void findsTheFolderOfTheProgramNotOfTheLoader_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("startedAs");
        QTest::addColumn<QString>("expected");
        const QString loader = u"/lib64/ld-linux-x86-64.so.2"_s;
        QTest::newRow("started on its own") << u"/media/chiavetta/Tarvola/tarvola"_s
                                            << u"./tarvola"_s << u"/media/chiavetta/Tarvola"_s;
        QTest::newRow("loader, absolute path")
            << loader << u"/media/chiavetta/Tarvola/tarvola"_s << u"/media/chiavetta/Tarvola"_s;
        QTest::newRow("loader, path from the working folder")
            << loader << u"Tarvola/tarvola"_s << u"/media/chiavetta/Tarvola"_s;
        QTest::newRow("loader, dots in the path")
            << loader << u"../chiavetta/./Tarvola/tarvola"_s << u"/media/chiavetta/Tarvola"_s;
        QTest::newRow("loader and nothing else") << loader << u""_s << u""_s;
        QTest::newRow("loader started as itself") << loader << loader << u""_s;
        QTest::newRow("nothing known") << u""_s << u"tarvola"_s << u""_s;
    }
    void findsTheFolderOfTheProgramNotOfTheLoader() {
        QFETCH(QString, executable);
        QFETCH(QString, startedAs);
        QFETCH(QString, expected);
        QCOMPARE(startup::programFolderOf(executable, startedAs, u"/media/chiavetta"_s), expected);
    }

    // The real process, as a stick without execute bits starts it: through the loader, from
    // another working folder, and by a link; each time the folder is the program's own.
    void aProcessFindsItsOwnFolderHoweverItIsStarted() {
        QTemporaryDir dir;
        const QString folder = QDir(dir.path()).filePath(u"Tarvola con spazi"_s);
        QVERIFY(QDir().mkpath(folder));
        const QString program = QDir(folder).filePath(u"tarvola"_s);
        QVERIFY(QFile::copy(QStringLiteral(TARVOLA_FOLDER_PROBE), program));
        const QString elsewhere = QDir(dir.path()).filePath(u"altrove"_s);
        QVERIFY(QDir().mkpath(elsewhere));
        const QString expected = QFileInfo(folder).canonicalFilePath();

        QVERIFY(
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(probeFolder(program, {}, elsewhere), expected);
        const QString link = QDir(elsewhere).filePath(u"collegamento"_s);
        QVERIFY(QFile::link(program, link));
        QCOMPARE(probeFolder(link, {}, elsewhere), expected);

        const QString loader = dynamicLoader();
        if (loader.isEmpty())
            QSKIP("no dynamic loader of a known name on this system");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(probeFolder(loader, {program}, elsewhere), expected);
        QCOMPARE(probeFolder(loader, {u"../Tarvola con spazi/tarvola"_s}, elsewhere), expected);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
