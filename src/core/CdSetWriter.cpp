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

QString readmePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("readme.txt"));
}

// The readme of a set that is not whole yet, made new; created tells whether the file was made.
bool writeIncompleteReadme(const QString& path, bool& created, QString* error)
{
    const int fd = createFile(path, false);
    created = fd >= 0;
    if (fd < 0)
        return failed(error, path, systemReason(errno));
    QString reason;
    const bool written = appendWhole(fd, encodeLines(incompleteReadmeLines()), &reason);
    if (::close(fd) != 0 && written)
        return failed(error, path, systemReason(errno));
    return written || failed(error, path, reason);
}

// Copies one item into the media folder; returns the length of its file.
std::optional<qint64> placeMedia(const QString& target, const CdSetItem& item, QString* error)
{
    if (item.copy)
        return copyFileContents(item.source, target, error);
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

CdSetWrite writeCdSet(const QString& folder, const QString& databasePath, const QList<CdSetItem>& items,
                      const CdSetProgress& afterEach)
{
    CdSetWrite write;
    const QDir dir(folder);
    const QString mediaFolder = dir.filePath(MediaFolderName.toString());
    if (!dir.mkdir(MediaFolderName.toString())) {
        failed(&write.error, mediaFolder, QStringLiteral("the folder cannot be made"));
        return write;
    }
    write.madeMediaFolder = true;
    const int database = createFile(databasePath, true);
    if (database < 0) {
        failed(&write.error, databasePath, systemReason(errno));
        return write;
    }
    write.written.append(databasePath);
    const QString readme = readmePath(folder);
    bool readmeMade = false;
    bool ok = writeIncompleteReadme(readme, readmeMade, &write.error);
    if (readmeMade)
        write.written.append(readme);
    for (int i = 0; ok && i < items.size(); ++i) {
        const CdSetItem& item = items[i];
        const QString target = mediaFolder + u'/' + item.fileName;
        if (!staysInside(mediaFolder, target)) {
            ok = failed(&write.error, target, QStringLiteral("the name leaves the folder"));
            break;
        }
        const std::optional<qint64> bytes = placeMedia(target, item, &write.error);
        ok = bytes.has_value();
        if (!ok)
            break;
        if (item.copy)
            write.written.append(target);
        const LibraryRecord& record = item.record;
        QString reason;
        ok = appendWhole(database,
                         formatRecord({record.artist, record.title, record.genre, portableFileLine(item.fileName), {}}),
                         &reason);
        if (!ok) {
            failed(&write.error, databasePath, reason);
            // A copy its database does not list would not be part of the set.
            if (item.copy && QFile::remove(target))
                write.written.removeLast();
            break;
        }
        if (afterEach)
            afterEach(i, *bytes);
    }
    if (::close(database) != 0 && ok)
        ok = failed(&write.error, databasePath, systemReason(errno));
    if (ok && !writeFileAtomically(readme, encodeLines(readmeLines()), &write.error, QStringLiteral("readme")))
        write.error = readme + QStringLiteral(": ") + write.error;
    else
        write.whole = ok;
    return write;
}

QStringList removeCdSet(const CdSetWrite& write, const QString& folder)
{
    QStringList notRemoved;
    for (const QString& file : write.written)
        if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT)
            notRemoved.append(file + QStringLiteral(": ") + systemReason(errno));
    if (write.madeMediaFolder)
        QDir(folder).rmdir(MediaFolderName.toString()); // kept when anything else is in it
    return notRemoved;
}
