#pragma once

#include <csignal>
#include <sys/resource.h>

namespace tarvola::testing {

// While it lives, no file of this process may grow past the given size: a write that would
// is cut there and the next one fails, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit limit{bytes, m_old.rlim_max};
        m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_signal)(int) = nullptr;
    bool m_set = false;
};

} // namespace tarvola::testing
