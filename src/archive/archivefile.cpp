#include "archive/archivefile.h"

#include "platform/descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvola {

QString archiveAccessMessage() {
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                          "installazione del programma.");
}

ArchiveFile::ArchiveFile(const QString& path, const RecordLayout& layout)
    : m_path(path)
    , m_layout(layout) {
    m_fd = descriptor::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        fail("open");
    struct stat info {};
    const bool isFile = ::fstat(m_fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!isFile) {
        ::close(m_fd);
        m_fd = -1;
        fail("not a regular file", EISDIR);
    }
}

ArchiveFile::~ArchiveFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void ArchiveFile::close() {
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0)
        fail("close");
}

qint64 ArchiveFile::count() const {
    return length() / m_layout.size();
}

Record ArchiveFile::read(qint64 position) const {
    checkPosition(position);
    QByteArray bytes(m_layout.size(), Qt::Uninitialized);
    readAt((position - 1) * m_layout.size(), bytes.data(), bytes.size());
    return Record::fromBytes(m_layout, bytes);
}

void ArchiveFile::write(qint64 position, const Record& record) {
    checkPosition(position);
    writeAt((position - 1) * m_layout.size(), record.toBytes());
    flush();
}

qint64 ArchiveFile::append(const Record& record) {
    const QByteArray bytes = record.toBytes();
    const qint64 size = m_layout.size();
    // Held while the append decides where the record goes. Without locks on the file system
    // appends at the end of the file are still safe; only the rare repair of a cut-off tail
    // is not serialised.
    const descriptor::Lock lock(m_fd, descriptor::Lock::Kind::Exclusive);
    const qint64 end = length();
    qint64 at = end - end % size;
    if (at == end) {
        // The end as the system finds it at the moment of writing, so a record another
        // station appended meanwhile is never overwritten.
        at = writeAtEnd(bytes);
        if (at % size == 0) {
            flush();
            return at / size + 1;
        }
        // A station that does not lock left a cut-off tail just before: the record goes
        // over it instead, onto the boundary where it belongs.
        at -= at % size;
    }
    writeAt(at, bytes);
    flush();
    return at / size + 1;
}

void ArchiveFile::rewrite(
    qint64 position, const std::function<std::optional<Record>(QByteArrayView stored)>& decide) {
    const descriptor::Lock lock(m_fd, descriptor::Lock::Kind::Exclusive);
    checkPosition(position);
    const qint64 offset = (position - 1) * m_layout.size();
    QByteArray stored(m_layout.size(), Qt::Uninitialized);
    readAt(offset, stored.data(), stored.size());
    if (const std::optional<Record> record = decide(stored)) {
        writeAt(offset, record->toBytes());
        flush();
    }
}

qint64 ArchiveFile::length() const {
    if (m_fd < 0)
        fail("closed", EBADF);
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        fail("stat");
    return info.st_size;
}

void ArchiveFile::readAt(qint64 offset, char* data, qint64 size) const {
    const qint64 got = descriptor::readAt(m_fd, data, size, offset);
    if (got != size)
        fail("read", got < 0 ? errno : EIO);
}

void ArchiveFile::writeAt(qint64 offset, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 size = bytes.size();
    while (size > 0) {
        const ssize_t n = ::pwrite(m_fd, data, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail("write", n < 0 ? errno : EIO);
        data += n;
        offset += n;
        size -= n;
    }
}

qint64 ArchiveFile::writeAtEnd(const QByteArray& bytes) {
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags | O_APPEND) != 0)
        fail("append mode");
    ssize_t n;
    do {
        n = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
    } while (n < 0 && errno == EINTR);
    const int writeError = n < 0 ? errno : EIO;
    const off_t end = ::lseek(m_fd, 0, SEEK_CUR);
    ::fcntl(m_fd, F_SETFL, flags);
    // One write call, or the record would not be one piece at the end of the file; what
    // a short write left is a cut-off tail that the next append overwrites.
    if (n != bytes.size())
        fail("append", writeError);
    if (end < 0)
        fail("append position");
    return qint64(end) - n;
}

void ArchiveFile::flush() {
    int result;
    do {
        result = ::fdatasync(m_fd);
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        fail("flush");
}

void ArchiveFile::checkPosition(qint64 position) const {
    if (position < 1 || position > count())
        throw ArchiveError(
            QStringLiteral("%1: no record at position %2").arg(m_path).arg(position).toStdString());
}

void ArchiveFile::fail(const char* what, int error) const {
    throw ArchiveError(
        QStringLiteral("%1: %2: %3")
            .arg(m_path, QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(error)))
            .toStdString());
}

} // namespace tarvola
