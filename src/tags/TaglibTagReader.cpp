#include "tags/TaglibTagReader.h"

#include "core/FileWriting.h"

#include <QFile>

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString textOf(const TagLib::String& text)
{
    return QString::fromStdWString(text.toWString());
}

// Why the file cannot be read, after TagLib could not make it out; empty when it can be read
// (it is of a kind without tags, or damaged).
QString whyUnreadable(const QByteArray& name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemReason(errno);
    char byte;
    const bool readable = ::read(fd, &byte, 1) >= 0;
    const int reason = errno;
    ::close(fd);
    return readable ? QString() : systemReason(reason);
}

} // namespace

TagReading TaglibTagReader::read(const QString& path) const
{
    const QByteArray name = QFile::encodeName(path);
    TagReading reading;
    struct stat info;
    // Only a regular file is opened: a pipe or a device would hold the reader up.
    if (::stat(name.constData(), &info) != 0) {
        reading.problem = systemReason(errno);
        return reading;
    }
    if (!S_ISREG(info.st_mode)) {
        reading.problem = QStringLiteral("is not a regular file");
        return reading;
    }
    const TagLib::FileRef file(name.constData(), false);
    const TagLib::Tag* tag = file.isNull() ? nullptr : file.tag();
    if (!tag) {
        reading.problem = whyUnreadable(name);
        return reading;
    }
    reading.tags = {textOf(tag->artist()), textOf(tag->title()), textOf(tag->genre())};
    return reading;
}
