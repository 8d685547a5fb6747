#include "core/MissingFiles.h"

#include "core/LibraryTable.h"

#include <QFile>
#include <QUrl>

#include <sys/stat.h>

namespace {

bool isSchemeChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'+'
           || c == u'-' || c == u'.';
}

// The length of "scheme://" at the start of file, 0 when there is none. A one-letter scheme
// is a drive letter, not a URL.
qsizetype schemeLength(QStringView file)
{
    if (file.isEmpty() || !file.front().isLetter() || file.front().unicode() > 127)
        return 0;
    qsizetype i = 1;
    while (i < file.size() && isSchemeChar(file[i]))
        ++i;
    return i >= 2 && file.mid(i).startsWith(u"://") ? i : 0;
}

} // namespace

bool isUrl(QStringView file)
{
    const qsizetype scheme = schemeLength(file);
    return scheme > 0 && file.first(scheme).compare(u"file", Qt::CaseInsensitive) != 0;
}

qint64 fileLength(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return 0;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return 0;
    return info.st_size;
}

bool isMissingFile(QStringView file)
{
    file = trimBlanks(file);
    if (schemeLength(file) > 0) {
        if (isUrl(file))
            return false;
        return fileLength(QUrl(file.toString()).toLocalFile()) == 0;
    }
    return fileLength(file.toString()) == 0;
}
