#pragma once

#include <QString>

// The few system calls on open files that the archives and the backups make themselves,
// each retried when a signal interrupts it.
namespace tarvola::descriptor {

// The open descriptor of the file, or -1 with errno set.
int open(const QString& path, int flags, int mode = 0);

// Reads size bytes at offset: the number read, short only at the end of the file, or -1
// with errno set.
qint64 readAt(int fd, char* data, qint64 size, qint64 offset);

// Holds an advisory lock on the whole file while it lives: exclusive for a station that
// writes (appends, saves in place), shared for one that copies. File systems without locks
// simply go on unlocked.
class Lock {
public:
    enum class Kind { Shared, Exclusive };
    Lock(int fd, Kind kind);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    int m_fd;
    bool m_locked = false;
};

} // namespace tarvola::descriptor
