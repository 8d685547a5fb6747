#include "core/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace {

FileStamp stampOf(const struct stat& info)
{
    return {quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size), qint64(info.st_mtim.tv_sec),
            qint64(info.st_mtim.tv_nsec)};
}

} // namespace

FileStamp stampOfOpenFile(int fd)
{
    struct stat info;
    return ::fstat(fd, &info) == 0 ? stampOf(info) : FileStamp{};
}

FileStamp stampOfPath(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? stampOf(info) : FileStamp{};
}
