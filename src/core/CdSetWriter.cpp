#include "core/CdSetWriter.h"

#include "core/CdSetNames.h"
#include "core/FileCopy.h"
#include "core/DatabaseFormat.h"
#include "core/TextLines.h"

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

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

bool writeBytes(QFile& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}

bool writeReadme(const QString& folder)
{
    QFile readme(QDir(folder).filePath(QStringLiteral("readme.txt")));
    if (!readme.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = writeBytes(readme, encodeLines(readmeLines())) && readme.flush();
    readme.close();
    return written && readme.error() == QFileDevice::NoError;
}

// Copies one item into the media folder; returns the length of its file.
std::optional<qint64> placeMedia(const QString& mediaFolder, const CdSetItem& item)
{
    const QString target = mediaFolder + u'/' + item.fileName;
    if (!staysInside(mediaFolder, target))
        return std::nullopt;
    if (item.copy)
        return copyFileContents(item.source, target);
    const QFileInfo copied(target);
    return copied.isFile() ? std::optional<qint64>(copied.size()) : std::nullopt;
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
        const QString key = item->fileName.toCaseFolded();
        const QString source = identityOf(item->source);
        const auto earlier = claims.constFind(key);
        if (earlier != claims.constEnd()) {
            if (earlier->fileName != item->fileName || earlier->source != source)
                return std::nullopt;
            item->copy = false;
        } else {
            claims.insert(key, {item->fileName, source});
        }
        items.append(std::move(*item));
    }
    return items;
}

bool writeCdSet(const QString& folder, const QString& databasePath, const QList<CdSetItem>& items,
                const CdSetProgress& afterEach)
{
    const QDir dir(folder);
    if (!dir.mkdir(MediaFolderName.toString()))
        return false;
    const QString mediaFolder = dir.filePath(MediaFolderName.toString());
    if (QFileInfo(databasePath).isSymLink())
        return false;
    QFile database(databasePath);
    if (!database.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int i = 0; i < items.size(); ++i) {
        const std::optional<qint64> bytes = placeMedia(mediaFolder, items[i]);
        if (!bytes)
            return false;
        LibraryRecord line = items[i].record;
        line.file = portableFileLine(items[i].fileName);
        if (!writeBytes(database, formatRecord(line)))
            return false;
        if (afterEach)
            afterEach(i, *bytes);
    }
    if (!database.flush())
        return false;
    database.close();
    return database.error() == QFileDevice::NoError && writeReadme(folder);
}
