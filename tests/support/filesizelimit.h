#pragma once

#include <sys/resource.h>

// Lowers the largest file this process may write, as a full disk would; SIGXFSZ is ignored so a
// write past the limit fails with an error instead of killing the test. Root is bound by it too,
// unlike permission tricks. Everything is restored when it goes out of scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool ok() const { return m_ok; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};
