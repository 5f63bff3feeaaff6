// Runs one operation of the fault tests (operations.h) on a program folder in a process of
// its own, the way a user without rights or a station with a full disk would run it.
//
//   fault_station <operation> <folder> [--as-nobody] [--full-disk <mountpoint> <copy>]
//
// --as-nobody  drops to the unprivileged user "nobody" first (when started as root, which
//              file permissions would not stop).
// --full-disk  mounts a small tmpfs at <mountpoint>, in a mount namespace of this process
//              only (it goes when the process ends), copies <folder> into it, fills what is
//              left, runs the operation there, then copies what the disk holds, the filler
//              excepted, to <copy> for the test to look at.
//
// Prints "message\t<text, percent-encoded>" for every message shown and "failed\t0|1";
// "skip\t<why>" with exit code 77 when this system cannot make the setting.

#include "operations.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace tarvola::testing;

namespace {

constexpr int skipCode = 77;
const char* const filler = "riempimento.bin";

[[noreturn]] void skip(const char* why) {
    std::printf("skip\t%s: %s\n", why, std::strerror(errno));
    std::fflush(stdout);
    std::_Exit(skipCode);
}

bool copyFolder(const QString& from, const QString& to, const QString& leaveOut = QString()) {
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(from).relativeFilePath(path);
        if (relative == leaveOut)
            continue;
        const QString target = QDir(to).filePath(relative);
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(path, target))
            return false;
    }
    return true;
}

// Writes into the filler until the file system refuses: first whole pages, then bytes.
void fill(const QString& disk) {
    FILE* file = std::fopen(qPrintable(QDir(disk).filePath(QString::fromLatin1(filler))), "wb");
    if (!file)
        skip("cannot create the filler");
    std::setvbuf(file, nullptr, _IONBF, 0);
    static const char page[4096] = {};
    while (std::fwrite(page, 1, sizeof page, file) == sizeof page) {
    }
    while (std::fwrite(page, 1, 1, file) == 1) {
    }
    std::fclose(file);
}

// A mount namespace of this process only: the tmpfs is seen by nobody else and goes with it.
// Both calls need a single-threaded process, so they come before QApplication.
void mountSmallDisk(const QString& mountpoint) {
    if (::unshare(CLONE_NEWNS) != 0)
        skip("no mount namespace of our own");
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        skip("cannot keep mounts private");
    if (::mount("tmpfs", qPrintable(mountpoint), "tmpfs", MS_NOSUID | MS_NODEV,
                "size=256k,mode=0755") != 0)
        skip("cannot mount a tmpfs");
}

void dropToNobody() {
    if (::geteuid() != 0)
        return; // an ordinary user is already stopped by the permissions
    constexpr gid_t nobodyGroup = 65534;
    constexpr uid_t nobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobodyGroup) != 0 || ::setuid(nobody) != 0)
        skip("cannot become nobody");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const QString operation = QString::fromLocal8Bit(argv[1]);
    QString folder = QString::fromLocal8Bit(argv[2]);
    bool asNobody = false;
    QString mountpoint;
    QString copy;
    for (int i = 3; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--as-nobody") {
            asNobody = true;
        } else if (arg == "--full-disk" && i + 2 < argc) {
            mountpoint = QString::fromLocal8Bit(argv[++i]);
            copy = QString::fromLocal8Bit(argv[++i]);
        } else {
            return 2;
        }
    }

    if (!mountpoint.isEmpty()) {
        mountSmallDisk(mountpoint);
        if (!copyFolder(folder, mountpoint))
            skip("cannot copy the folder onto the small disk");
        fill(mountpoint);
        folder = mountpoint;
    }
    if (asNobody)
        dropToNobody();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Outcome outcome = runOperation(operation, folder);
    QTextStream out(stdout);
    for (const QString& message : outcome.messages)
        out << "message\t" << message.toUtf8().toPercentEncoding() << '\n';
    out << "failed\t" << (outcome.failed ? 1 : 0) << '\n';
    out.flush();
    if (!copy.isEmpty() && !copyFolder(folder, copy, QString::fromLatin1(filler)))
        return 3;
    return 0;
}
