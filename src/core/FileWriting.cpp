#include "core/FileWriting.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// Temporary files are named ".vexolin-" and six letters or digits, ".tmp": short and of one
// length, whatever the name of the file they replace.
constexpr QByteArrayView TemporaryPrefix(".vexolin-");
constexpr QByteArrayView TemporarySuffix(".tmp");
constexpr int TemporaryRandomLength = 6;
constexpr QByteArrayView TemporaryAlphabet("abcdefghijklmnopqrstuvwxyz0123456789");

QByteArray randomTemporaryName()
{
    QByteArray name = TemporaryPrefix.toByteArray();
    for (int i = 0; i < TemporaryRandomLength; ++i)
        name += TemporaryAlphabet[QRandomGenerator::global()->bounded(int(TemporaryAlphabet.size()))];
    return name + TemporarySuffix.toByteArray();
}

bool isTemporaryName(QByteArrayView name)
{
    if (name.size() != TemporaryPrefix.size() + TemporaryRandomLength + TemporarySuffix.size()
        || !name.startsWith(TemporaryPrefix) || !name.endsWith(TemporarySuffix))
        return false;
    const QByteArrayView random = name.sliced(TemporaryPrefix.size(), TemporaryRandomLength);
    return std::all_of(random.begin(), random.end(), [](char c) { return TemporaryAlphabet.contains(c); });
}

// Makes the new file ready to take the old one's place: its owner and group where this process
// may set them (at least the group, for a member of it), then its permissions, which a change of
// owner may have cut.
bool takeOwnerAndMode(int fd, const struct stat* old)
{
    if (!old)
        return true;
    // Where neither may be set, the file becomes this user's: it is written all the same.
    const bool ownerKept = ::fchown(fd, old->st_uid, old->st_gid) == 0 || ::fchown(fd, uid_t(-1), old->st_gid) == 0;
    Q_UNUSED(ownerKept);
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

bool fill(int fd, QByteArrayView bytes, const struct stat* old)
{
    return takeOwnerAndMode(fd, old) && writeAll(fd, bytes) && ::fsync(fd) == 0;
}

// A new file under a temporary name in the folder, or -1 with errno set.
int createTemporary(int folderFd, QByteArray& name, mode_t mode = 0600)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = randomTemporaryName();
        const int fd = ::openat(folderFd, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the nameless file open on fd the name in the folder; false with errno set (EEXIST when
// the name is taken).
bool nameNameless(int fd, int folderFd, const QByteArray& name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), folderFd, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    return errno == ENOENT && ::linkat(fd, "", folderFd, name.constData(), AT_EMPTY_PATH) == 0;
}

// Gives the nameless file open on fd a temporary name in the folder.
bool nameTemporary(int fd, int folderFd, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = randomTemporaryName();
        if (nameNameless(fd, folderFd, name))
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// Renames from to to in the folder unless something is called to already (EEXIST then).
bool renameWithoutReplacing(int folderFd, const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(folderFd, from.constData(), folderFd, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot refuse the replacement itself: the name is looked at first.
    struct stat existing;
    if (::fstatat(folderFd, to.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::renameat(folderFd, from.constData(), folderFd, to.constData()) == 0;
}

// Closes fd, and removes the temporary name when there is one, keeping errno.
void discard(int fd, int folderFd, const QByteArray& temporaryName)
{
    const int reason = errno;
    if (!temporaryName.isEmpty())
        ::unlinkat(folderFd, temporaryName.constData(), 0);
    ::close(fd);
    errno = reason;
}

// Writes bytes to a new file in the folder, flushed to disk and ready to take the old file's
// place, under a temporary name. The file has no name while it is written where the file system
// allows, so that a process ended meanwhile leaves nothing behind. Returns its descriptor, kept
// open and locked until the caller closes it; -1 with errno set on failure, leaving nothing.
int writeTemporary(int folderFd, QByteArrayView bytes, const struct stat* old, QByteArray& name)
{
    name.clear();
    int fd = ::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    bool nameless = fd >= 0;
    for (;;) {
        if (fd < 0)
            fd = createTemporary(folderFd, name);
        if (fd < 0)
            return -1;
        ::flock(fd, LOCK_EX); // a new file: nobody else holds it
        if (!fill(fd, bytes, old))
            break;
        if (!nameless || nameTemporary(fd, folderFd, name))
            return fd;
        // A nameless file cannot be given a name here: it is written again under a name.
        ::close(fd);
        fd = -1;
        nameless = false;
    }
    const int reason = errno;
    if (!name.isEmpty())
        ::unlinkat(folderFd, name.constData(), 0);
    ::close(fd);
    errno = reason;
    return -1;
}

// Says why a write failed; a folder this user may not write is named, with what to do about it.
bool failWriting(QString* error, int reason, const QString& folder, const QString& what, bool replacing)
{
    if (reason != EACCES && reason != EPERM && reason != EROFS)
        return fail(error, reason);
    if (error)
        *error = (replacing ? QStringLiteral("%1: the folder %2 cannot be written, so the %3 cannot be rewritten "
                                             "safely. Move the %3 to a folder you may write, or make the folder "
                                             "writable.")
                            : QStringLiteral("%1: the folder %2 cannot be written, so the %3 cannot be made there. "
                                             "Choose a folder you may write, or make the folder writable."))
                     .arg(systemReason(reason), folder, what);
    return false;
}

} // namespace

bool writeNewFileWhole(int folderFd, const QByteArray& name, const std::function<bool(int fd)>& fill)
{
    surviveFileSizeLimit();
    // The mode is the one any new file gets (0666 less the umask).
    int fd = ::openat(folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        if (!fill(fd)) {
            discard(fd, folderFd, {});
            return false;
        }
        if (nameNameless(fd, folderFd, name)) {
            ::close(fd);
            return true;
        }
        const bool taken = errno == EEXIST;
        discard(fd, folderFd, {});
        if (taken)
            return false;
        // The nameless file cannot be named here: it is written again under a temporary name.
    }
    QByteArray temporary;
    fd = createTemporary(folderFd, temporary, 0666);
    if (fd < 0)
        return false;
    ::flock(fd, LOCK_EX); // held until the file has its name, so no clean-up takes it meanwhile
    if (!fill(fd) || !renameWithoutReplacing(folderFd, temporary, name)) {
        discard(fd, folderFd, temporary);
        return false;
    }
    ::close(fd);
    return true;
}

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

bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* error, const QString& what,
                         FileStamp* written)
{
    surviveFileSizeLimit();
    const QFileInfo target(targetOf(path));
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    struct stat existing;
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    if (exists && ::faccessat(AT_FDCWD, targetName.constData(), W_OK, AT_EACCESS) != 0) {
        const int reason = errno;
        if (error)
            *error = systemReason(reason) + QStringLiteral(": the file is read-only");
        return false;
    }

    const QString folder = target.absolutePath();
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return failWriting(error, errno, folder, what, exists);
    QByteArray tempName;
    const int fd = writeTemporary(folderFd, bytes, exists ? &existing : nullptr, tempName);
    const bool ok = fd >= 0
                    && ::renameat(folderFd, tempName.constData(), folderFd, QFile::encodeName(target.fileName()).constData()) == 0;
    const int reason = errno;
    if (fd >= 0) {
        if (ok) {
            ::fsync(folderFd); // the rename itself reaches the disk
            if (written)
                *written = stampOfOpenFile(fd);
        } else {
            ::unlinkat(folderFd, tempName.constData(), 0);
        }
        ::close(fd);
    }
    ::close(folderFd);
    return ok || failWriting(error, reason, folder, what, exists);
}

void removeStaleTemporaryFiles(const QString& folder)
{
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return;
    // The folder's names as they stand, neither sorted nor looked up one by one: it may hold
    // thousands of media files beside the database.
    std::vector<QByteArray> candidates;
    const int listFd = ::dup(folderFd);
    if (DIR* const listing = listFd >= 0 ? ::fdopendir(listFd) : nullptr) {
        while (const dirent* entry = ::readdir(listing))
            if (isTemporaryName(entry->d_name))
                candidates.emplace_back(entry->d_name);
        ::closedir(listing);
    } else if (listFd >= 0) {
        ::close(listFd);
    }
    for (const QByteArray& name : candidates) {
        const int fd = ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened, named;
        // A writer holds its temporary file locked until it has renamed it.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid()
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
            && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlinkat(folderFd, name.constData(), 0);
        ::close(fd);
    }
    ::close(folderFd);
}
