// Makes one backup onto a small disk of its own, as a station whose backup stick is full:
//
//   backup_station <program folder> <mountpoint> <older backup>
//
// mounts a 512 KB tmpfs at <mountpoint> in a mount namespace of this process only (it goes
// when the process ends), copies <older backup> onto it, backs the program folder up there,
// and prints "ok\t0|1", "error\t<text, percent-encoded>" and, for every file the disk holds
// afterwards, "file\t<name>\t<sha-256>". Exit code 77, with "skip\t<why>", when this system
// does not let it mount the disk.

#include "app/practicearchives.h"
#include "backup/backup.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

using namespace tarvola;

namespace {

[[noreturn]] void skip(const char* why) {
    std::printf("skip\t%s: %s\n", why, std::strerror(errno));
    std::fflush(stdout);
    std::_Exit(77);
}

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<illeggibile>";
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString disk = QString::fromLocal8Bit(argv[2]);
    const QString older = QString::fromLocal8Bit(argv[3]);
    // Both calls need a single-threaded process, so they come before anything of Qt.
    if (::unshare(CLONE_NEWNS) != 0)
        skip("no mount namespace of our own");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        skip("cannot keep mounts private");
    if (::mount("tmpfs", argv[2], "tmpfs", MS_NOSUID | MS_NODEV, "size=512k,mode=0755") != 0)
        skip("cannot mount a tmpfs");

    QCoreApplication app(argc, argv);
    if (!QFile::copy(older, QDir(disk).filePath(QFileInfo(older).fileName())))
        skip("cannot put the older backup on the disk");
    backup::Options options;
    options.programFolder = folder;
    options.backupFolder = disk;
    options.archives = practiceArchives();
    options.when = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
    options.keep = 1; // the older backup would go if the new one were taken as good
    const backup::Outcome outcome = backup::create(options);

    QTextStream out(stdout);
    out << "ok\t" << (outcome.ok ? 1 : 0) << '\n';
    out << "error\t" << outcome.error.toUtf8().toPercentEncoding() << '\n';
    const QStringList left =
        QDir(disk).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : left)
        out << "file\t" << name << '\t' << digest(QDir(disk).filePath(name)) << '\n';
    out.flush();
    return 0;
}
