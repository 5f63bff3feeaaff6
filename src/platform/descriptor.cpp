#include "platform/descriptor.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvola::descriptor {

int open(const QString& path, int flags, int mode) {
    const QByteArray native = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(native.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

qint64 readAt(int fd, char* data, qint64 size, qint64 offset) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, data + done, size_t(size - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

Lock::Lock(int fd, Kind kind)
    : m_fd(fd) {
    int result;
    do {
        result = ::flock(m_fd, kind == Kind::Shared ? LOCK_SH : LOCK_EX);
    } while (result != 0 && errno == EINTR);
    m_locked = result == 0;
}

Lock::~Lock() {
    if (m_locked)
        ::flock(m_fd, LOCK_UN);
}

} // namespace tarvola::descriptor
