#pragma once

#include <QtGlobal>
#include <sys/resource.h>

// While alive, files may not grow past `bytes`: a write past it fails, as on a full disk. The
// program itself must make such a write fail, and say so, rather than be killed.
class DiskFull
{
public:
    explicit DiskFull(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{rlim_t(bytes), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};
