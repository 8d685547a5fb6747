#include "core/FileWriting.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

void surviveFileSizeLimit()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current = {};
        // Only the default (ending the process) is replaced; a handler someone set stays.
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
    });
}

namespace {

bool fail(QString* error, int errorNumber)
{
    if (error)
        *error = systemReason(errorNumber);
    return false;
}

// Writes all of bytes at the descriptor's position; false with errno set on failure.
bool writeAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// The file a path names, links followed; the path itself when nothing is there yet.
QString targetOf(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

bool appendWhole(int fd, QByteArrayView bytes, QString* error)
{
    surviveFileSizeLimit();
    struct stat before;
    if (::fstat(fd, &before) != 0)
        return fail(error, errno);
    if (writeAll(fd, bytes))
        return true;
    const int reason = errno;
    // A short write must not leave part of the bytes behind.
    while (::ftruncate(fd, before.st_size) != 0 && errno == EINTR) {
    }
    return fail(error, reason);
}

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* error)
{
    surviveFileSizeLimit();
    const QString target = targetOf(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing;
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    if (exists && ::faccessat(AT_FDCWD, targetName.constData(), W_OK, AT_EACCESS) != 0) {
        const int reason = errno;
        if (error)
            *error = systemReason(reason) + QStringLiteral(": the file is read-only");
        return false;
    }

    const QByteArray tempName =
        targetName + ".vx-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(error, errno);
    bool ok = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    int reason = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && ::rename(tempName.constData(), targetName.constData()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return fail(error, reason);
    }
    return true;
}
