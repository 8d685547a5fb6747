#include "core/DatabaseFile.h"

#include "core/DatabaseFormat.h"
#include "core/FileWriting.h"
#include "core/TextLines.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void DatabaseFile::open(const QString& path, qint64 recordBytes)
{
    close();
    path_ = path;
    recordBytes_ = recordBytes;
}

void DatabaseFile::close()
{
    closeAppendFile();
    path_.clear();
    recordBytes_ = -1;
}

void DatabaseFile::closeAppendFile()
{
    if (appendFd_ >= 0)
        ::close(appendFd_);
    appendFd_ = -1;
}

bool DatabaseFile::openForAppend(QString* error)
{
    if (appendFd_ >= 0)
        return true;
    const QByteArray name = QFile::encodeName(path_);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        if (error)
            *error = reason == EACCES || reason == EROFS || reason == EPERM
                         ? systemReason(reason) + QStringLiteral(": the file is read-only")
                         : systemReason(reason);
        return false;
    }
    if (recordBytes_ >= 0) {
        struct stat info;
        if (::fstat(fd, &info) != 0 || (info.st_size > recordBytes_ && ::ftruncate(fd, recordBytes_) != 0)) {
            const int reason = errno;
            ::close(fd);
            if (error)
                *error = systemReason(reason);
            return false;
        }
        recordBytes_ = -1;
    }
    appendFd_ = fd;
    return true;
}

bool DatabaseFile::append(const LibraryRecord& record, QString* error)
{
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("No database is open.");
        return false;
    }
    if (!openForAppend(error))
        return false;
    struct stat info;
    const bool empty = ::fstat(appendFd_, &info) == 0 && info.st_size == 0;
    const QByteArray lines = empty ? atFileStart(formatRecord(record)) : formatRecord(record);
    return appendWhole(appendFd_, lines, error);
}

bool DatabaseFile::rewrite(const LibraryTable& table, QString* error)
{
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("No database is open.");
        return false;
    }
    QByteArray data;
    for (int n = 1; n <= table.recordCount(); ++n)
        data.append(formatRecord(table.record(n)));
    if (!writeFileAtomically(path_, atFileStart(std::move(data)), error))
        return false;
    // The append handle pointed at the replaced file; the next append opens the new one.
    closeAppendFile();
    recordBytes_ = -1;
    return true;
}

bool createEmptyFile(const QString& path, QString* error)
{
    return writeFileAtomically(path, QByteArrayView(), error);
}
