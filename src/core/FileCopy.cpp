#include "core/FileCopy.h"

#include "core/FileWriting.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false when the close reports an error (a delayed write failure).
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int out, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(out, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Reads and writes the rest of in, 1 MB at a time.
std::optional<qint64> copyInChunks(int in, int out)
{
    constexpr size_t chunk = 1 << 20;
    std::vector<char> buffer(chunk);
    qint64 total = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return total;
        if (!writeAll(out, buffer.data(), got))
            return std::nullopt;
        total += got;
    }
}

// Lets the kernel copy the rest of in; falls back to chunks where it cannot (another file
// system, an old kernel, a file system without support).
std::optional<qint64> copyRest(int in, int out)
{
    qint64 total = 0;
    for (;;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0) {
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
                return std::nullopt;
            const std::optional<qint64> rest = copyInChunks(in, out);
            return rest ? std::optional<qint64>(total + *rest) : std::nullopt;
        }
        if (copied == 0)
            return total;
        total += copied;
    }
}

} // namespace

std::optional<qint64> copyFileContents(const QString& from, const QString& to, QString* error)
{
    surviveFileSizeLimit();
    auto failure = [error](const QString& reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    // Non-blocking open: a named pipe or device must not hang the copy before it is refused.
    Descriptor in(::open(QFile::encodeName(from).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (!in.valid() || ::fstat(in.get(), &info) != 0)
        return failure(systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return failure(QStringLiteral("not a regular file"));
    const QByteArray target = QFile::encodeName(to);
    Descriptor out(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.valid())
        return failure(systemReason(errno));
    std::optional<qint64> copied = copyRest(in.get(), out.get());
    int reason = copied ? 0 : errno;
    if (!out.close() && copied) {
        reason = errno;
        copied.reset();
    }
    if (!copied) {
        ::unlink(target.constData());
        return failure(systemReason(reason));
    }
    return copied;
}
