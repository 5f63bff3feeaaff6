#pragma once

#include "archive/record.h"

#include <QByteArrayView>
#include <QString>

#include <cerrno>
#include <functional>
#include <optional>
#include <stdexcept>

namespace tarvola {

// Any failure of an archive operation: opening, creating, positioning, reading, writing,
// flushing or closing the file, or a position that is not a record of it. The window that
// ran the operation shows its one fixed message; what() is the technical detail.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message every window shows when an archive operation fails.
QString archiveAccessMessage();

// A headerless file of fixed-size records, addressed by 1-based position. One object is
// one operation: the constructor opens the file for reading and writing (creating it
// empty when missing, never emptying an existing one), the destructor closes it on every
// path. Records are read and written whole; a write is on disk when the call returns.
//
// A tail shorter than a record (left by a write that was cut off) is not a record: it is
// not counted, and the next append overwrites it, so every record stays on a boundary.
// Appends from several stations at the same moment each get a record of their own.
class ArchiveFile {
public:
    ArchiveFile(const QString& path, const RecordLayout& layout);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // The number of whole records.
    qint64 count() const;

    // Record at position 1 ... count().
    Record read(qint64 position) const;

    // Overwrites the record at position 1 ... count().
    void write(qint64 position, const Record& record);

    // Adds the record after the last whole record and gives the position it got.
    qint64 append(const Record& record);

    // Reads the stored bytes of the record at position 1 ... count() and writes the record
    // decide gives back in its place (nothing: leaves it), all while holding the lock appends
    // take, so that what decide saw is what it replaces for every station that locks.
    void rewrite(qint64 position,
                 const std::function<std::optional<Record>(QByteArrayView stored)>& decide);

    // Closes now, reporting a failure; the destructor closes silently otherwise.
    void close();

private:
    qint64 length() const;
    void readAt(qint64 offset, char* data, qint64 size) const;
    void writeAt(qint64 offset, const QByteArray& bytes);
    qint64 writeAtEnd(const QByteArray& bytes);
    void flush();
    void checkPosition(qint64 position) const;
    [[noreturn]] void fail(const char* what, int error = errno) const;

    QString m_path;
    const RecordLayout& m_layout;
    int m_fd = -1;
};

} // namespace tarvola
