#include "core/CdSetWriter.h"

#include "core/CdSetNames.h"
#include "core/DatabaseFormat.h"
#include "core/FileCopy.h"
#include "core/FileWriting.h"
#include "core/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What an earlier item wrote under a name: the exact name and the file it came from.
struct Claim
{
    QString fileName;
    QString source;
};

QString identityOf(const QString& source)
{
    const QString canonical = QFileInfo(source).canonicalFilePath();
    return canonical.isEmpty() ? source : canonical;
}

// An artist or title of dots alone ("." "..", "...") reads as a path step on some systems and in
// burning tools; such a record is refused rather than turned into an odd name.
bool isDotsOnly(QStringView text)
{
    const QStringView trimmed = trimBlanks(text);
    return !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c == u'.'; });
}

std::optional<CdSetItem> itemOf(const LibraryRecord& record)
{
    CdSetItem item{record, trimBlanks(record.file).toString(), {}, true};
    if (trimBlanks(record.artist).isEmpty() && trimBlanks(record.title).isEmpty())
        return std::nullopt;
    if (isDotsOnly(record.artist) || isDotsOnly(record.title))
        return std::nullopt;
    item.fileName = mediaFileName(record.artist, record.title, extensionOfStoredFile(record.file));
    if (!isSafeFileName(item.fileName) || portableFileLine(item.fileName).size() > FileWidth)
        return std::nullopt;
    return item;
}

// A new regular file at path (never through a link); -1 with errno set when it cannot be made.
// The open does not block, so a named pipe standing at path is refused at once.
int createFile(const QString& path, bool replace)
{
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (replace ? O_TRUNC : O_EXCL);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    struct stat info;
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Says which file failed and why.
bool failed(QString* error, const QString& file, const QString& reason)
{
    if (error)
        *error = file + QStringLiteral(": ") + reason;
    return false;
}

bool writeReadme(const QString& folder, QString* error)
{
    const QString path = QDir(folder).filePath(QStringLiteral("readme.txt"));
    const int fd = createFile(path, false);
    if (fd < 0)
        return failed(error, path, systemReason(errno));
    QString reason;
    const bool written = appendWhole(fd, encodeLines(readmeLines()), &reason);
    if (::close(fd) != 0 && written)
        return failed(error, path, systemReason(errno));
    return written || failed(error, path, reason);
}

// Copies one item into the media folder; returns the length of its file.
std::optional<qint64> placeMedia(const QString& mediaFolder, const CdSetItem& item, QString* error)
{
    const QString target = mediaFolder + u'/' + item.fileName;
    if (!staysInside(mediaFolder, target)) {
        failed(error, target, QStringLiteral("the name leaves the folder"));
        return std::nullopt;
    }
    if (item.copy) {
        QString reason;
        const std::optional<qint64> copied = copyFileContents(item.source, target, &reason);
        if (!copied)
            failed(error, item.source, reason);
        return copied;
    }
    const QFileInfo copied(target);
    if (!copied.isFile()) {
        failed(error, target, QStringLiteral("the copy is missing"));
        return std::nullopt;
    }
    return copied.size();
}

// "<artist>-<title> (k)<extension>": the name of the k-th different file of one artist and title.
QString numberedName(const CdSetItem& item, int k)
{
    const QString extension = extensionOfStoredFile(item.record.file);
    if (k == 1)
        return item.fileName;
    return mediaFileName(item.record.artist, trimBlanks(item.record.title).toString() + QStringLiteral(" (%1)").arg(k), extension);
}

} // namespace

std::optional<QList<CdSetItem>> planCdSet(const QList<LibraryRecord>& records)
{
    QList<CdSetItem> items;
    items.reserve(records.size());
    QHash<QString, Claim> claims; // by case-folded name
    for (const LibraryRecord& record : records) {
        std::optional<CdSetItem> item = itemOf(record);
        if (!item)
            return std::nullopt;
        const QString source = identityOf(item->source);
        // The first free name, or the one this same file already has.
        for (int k = 1;; ++k) {
            const QString name = numberedName(*item, k);
            if (!isSafeFileName(name))
                return std::nullopt;
            const QString key = name.toCaseFolded();
            const auto earlier = claims.constFind(key);
            if (earlier == claims.constEnd()) {
                claims.insert(key, {name, source});
                item->fileName = name;
                break;
            }
            if (earlier->source == source) {
                item->fileName = earlier->fileName;
                item->copy = false;
                break;
            }
        }
        items.append(std::move(*item));
    }
    return items;
}

bool writeCdSet(const QString& folder, const QString& databasePath, const QList<CdSetItem>& items,
                const CdSetProgress& afterEach, QString* error)
{
    const QDir dir(folder);
    const QString mediaFolder = dir.filePath(MediaFolderName.toString());
    if (!dir.mkdir(MediaFolderName.toString()))
        return failed(error, mediaFolder, QStringLiteral("the folder cannot be made"));
    const int database = createFile(databasePath, true);
    if (database < 0)
        return failed(error, databasePath, systemReason(errno));
    bool ok = true;
    for (int i = 0; ok && i < items.size(); ++i) {
        const std::optional<qint64> bytes = placeMedia(mediaFolder, items[i], error);
        const LibraryRecord& record = items[i].record;
        QString reason;
        ok = bytes
             && (appendWhole(database, formatRecord({record.artist, record.title, record.genre,
                                                     portableFileLine(items[i].fileName), {}}),
                             &reason)
                 || failed(error, databasePath, reason));
        if (ok && afterEach)
            afterEach(i, *bytes);
    }
    if (::close(database) != 0 && ok)
        return failed(error, databasePath, systemReason(errno));
    return ok && writeReadme(folder, error);
}
