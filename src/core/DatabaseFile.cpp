#include "core/DatabaseFile.h"

#include "core/DatabaseFormat.h"
#include "core/FileWriting.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// An exclusive lock on the file open on fd while alive. Another Vexolin writes the same file only
// for a moment: its lock is waited for, two seconds at most.
class WriteLock
{
public:
    explicit WriteLock(int fd) : fd_(fd)
    {
        const QDeadlineTimer deadline(2000);
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
                return;
            QThread::msleep(10);
        }
        held_ = true;
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    ~WriteLock()
    {
        if (held_)
            ::flock(fd_, LOCK_UN);
    }
    bool held() const { return held_; }

private:
    int fd_;
    bool held_ = false;
};

const QString BusyReason = QStringLiteral("the database is being written by another program; try again");

} // namespace

QString changedElsewhereReason()
{
    return QStringLiteral("the database was changed by another program since Vexolin last read or wrote it");
}

void DatabaseFile::open(const QString& path, const FileStamp& stamp, const TextFileStyle& style, qint64 recordBytes)
{
    close();
    path_ = path;
    stamp_ = stamp;
    style_ = style;
    recordBytes_ = recordBytes;
}

void DatabaseFile::close()
{
    closeAppendFile();
    path_.clear();
    stamp_ = {};
    style_ = TextFileStyle();
    recordBytes_ = -1;
}

void DatabaseFile::closeAppendFile()
{
    if (appendFd_ >= 0)
        ::close(appendFd_);
    appendFd_ = -1;
}

bool DatabaseFile::isChangedElsewhere() const
{
    return isOpen() && (!stamp_.isValid() || stampOfPath(path_) != stamp_);
}

bool DatabaseFile::openForAppend(QString* error)
{
    if (appendFd_ >= 0)
        return true;
    // Read as well: the end of the file says whether its last line has a line end.
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        return fail(error, reason == EACCES || reason == EROFS || reason == EPERM
                               ? systemReason(reason) + QStringLiteral(": the file is read-only")
                               : systemReason(reason));
    }
    appendFd_ = fd;
    return true;
}

bool DatabaseFile::cutUnfinishedRecord(qint64& size, QString* error)
{
    if (recordBytes_ < 0 || size <= recordBytes_)
        return true;
    if (::ftruncate(appendFd_, recordBytes_) != 0)
        return fail(error, systemReason(errno));
    size = recordBytes_;
    recordBytes_ = -1;
    return true;
}

bool DatabaseFile::endsInsideLine(qint64 size) const
{
    char tail[3] = {};
    const qint64 length = qMin<qint64>(size, 3);
    if (length == 0 || ::pread(appendFd_, tail, size_t(length), size - length) != length)
        return false; // an unreadable end is taken as whole, as the program's own writes leave it
    const QByteArrayView end(tail, length);
    if (size == Utf8Bom.size() && end == Utf8Bom)
        return false; // only a byte-order mark: no line stands before the record
    if (style_.isLineFeedOnly())
        return !end.endsWith('\n');
    return !end.endsWith('\r') && !end.endsWith("\r\n");
}

bool DatabaseFile::append(std::span<const LibraryRecord> records, QString* error)
{
    if (!isOpen())
        return fail(error, QStringLiteral("No database is open."));
    if (isChangedElsewhere())
        return fail(error, changedElsewhereReason());
    if (!openForAppend(error))
        return false;
    const WriteLock lock(appendFd_);
    if (!lock.held())
        return fail(error, BusyReason);
    // Under the lock: the path still names the file appended to, and nobody changed it.
    if (stampOfOpenFile(appendFd_) != stamp_ || isChangedElsewhere())
        return fail(error, changedElsewhereReason());
    qint64 size = stamp_.size;
    bool ok = cutUnfinishedRecord(size, error);
    if (ok) {
        QByteArray lines;
        for (const LibraryRecord& record : records)
            lines.append(formatRecord(record, style_));
        const QByteArray bytes = size == 0             ? atFileStart(lines)
                                 : endsInsideLine(size) ? style_.lineEnd().toByteArray() + lines
                                                        : lines;
        ok = appendWhole(appendFd_, bytes, error);
        if (ok)
            style_.noteLines(lines);
    }
    // A failed write was cut back, but the file was touched all the same: the stamp follows it.
    stamp_ = stampOfOpenFile(appendFd_);
    return ok;
}

bool DatabaseFile::rewrite(const LibraryTable& table, QString* error)
{
    if (!isOpen())
        return fail(error, QStringLiteral("No database is open."));
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return fail(error, changedElsewhereReason()); // removed, or renamed away
    // A file that may be written but not read is checked by its stamp alone, without a lock.
    const WriteLock lock(fd >= 0 ? fd : appendFd_);
    const bool changed = (fd >= 0 && stampOfOpenFile(fd) != stamp_) || isChangedElsewhere();
    QByteArray data;
    TextFileStyle written(style_.isLineFeedOnly());
    FileStamp stamp;
    bool ok = false;
    if (changed) {
        fail(error, changedElsewhereReason());
    } else if (fd >= 0 && !lock.held()) {
        fail(error, BusyReason);
    } else {
        for (int n = 1; n <= table.recordCount(); ++n)
            data.append(formatRecord(table.record(n), style_));
        written.noteLines(data);
        ok = writeFileAtomically(path_, atFileStart(std::move(data)), error, QStringLiteral("database"), &stamp);
    }
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        return false;
    // The append handle pointed at the replaced file; the next append opens the new one.
    closeAppendFile();
    recordBytes_ = -1;
    stamp_ = stamp;
    style_ = written;
    return true;
}

bool createEmptyFile(const QString& path, QString* error, FileStamp* written)
{
    return writeFileAtomically(path, QByteArrayView(), error, QStringLiteral("database"), written);
}
