#include "core/FileCopy.h"

#include "core/FileWriting.h"

#include <QFile>
#include <QFileInfo>

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

private:
    int fd_;
};

bool writeAll(int out, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(out, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

// Reads and writes the rest of in, 1 MB at a time; a failed read sets sourceFailed.
std::optional<qint64> copyInChunks(int in, int out, bool& sourceFailed)
{
    constexpr size_t chunk = 1 << 20;
    std::vector<char> buffer(chunk);
    qint64 total = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            sourceFailed = true;
            return std::nullopt;
        }
        if (got == 0)
            return total;
        if (!writeAll(out, buffer.data(), got))
            return std::nullopt;
        total += got;
    }
}

// Lets the kernel copy the rest of in. Where it cannot or will not (another file system, an old
// kernel, a full disk), the rest goes in chunks, which tell a failed read from a failed write.
std::optional<qint64> copyRest(int in, int out, bool& sourceFailed)
{
    qint64 total = 0;
    for (;;) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0) {
            const std::optional<qint64> rest = copyInChunks(in, out, sourceFailed);
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
    auto failure = [error](const QString& file, const QString& reason) {
        if (error)
            *error = file + QStringLiteral(": ") + reason;
        return std::nullopt;
    };
    // Non-blocking open: a named pipe or device must not hang the copy before it is refused.
    Descriptor in(::open(QFile::encodeName(from).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (!in.valid() || ::fstat(in.get(), &info) != 0)
        return failure(from, systemReason(errno));
    if (!S_ISREG(info.st_mode))
        return failure(from, QStringLiteral("not a regular file"));
    const QFileInfo target(to);
    Descriptor folder(::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return failure(to, systemReason(errno));
    bool sourceFailed = false;
    qint64 copied = 0;
    const bool whole = writeNewFileWhole(folder.get(), QFile::encodeName(target.fileName()), [&](int out) {
        // A second try on a new file starts the source again.
        sourceFailed = ::lseek(in.get(), 0, SEEK_SET) != 0;
        const std::optional<qint64> bytes = sourceFailed ? std::nullopt : copyRest(in.get(), out, sourceFailed);
        copied = bytes.value_or(0);
        return bytes.has_value();
    });
    if (!whole)
        return failure(sourceFailed ? from : to, systemReason(errno));
    return copied;
}
