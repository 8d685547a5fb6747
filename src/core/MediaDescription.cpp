#include "core/MediaDescription.h"

#include "core/LibraryTable.h"
#include "core/MissingFiles.h"
#include "core/PlaylistEntry.h"

#include <QFileInfo>
#include <QUrl>

namespace {

QString addressOf(const QString& file)
{
    if (isUrl(file))
        return file;
    const QUrl given(file);
    if (given.isLocalFile())
        return given.toString(QUrl::FullyEncoded);
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

// The last part of a path or URL (paths in playlists written on other systems use backslashes);
// the whole text when it ends in a separator.
QString fileNameOf(const QString& file)
{
    const qsizetype separator = qMax(file.lastIndexOf(QChar('/')), file.lastIndexOf(QChar('\\')));
    const QUrl url(file);
    const QString name = isUrl(file) || url.isLocalFile() ? url.fileName() : file.mid(separator + 1);
    return name.isEmpty() ? file : name;
}

} // namespace

std::optional<MediaDescription> describeEntry(const PlaylistEntry& entry, const LibraryTable& table)
{
    if (entry.kind == EntryKind::Library) {
        const int r = recordOfEntry(entry, table);
        if (r == 0)
            return std::nullopt;
        const LibraryRecord& record = table.record(r);
        const QString file = trimBlanks(record.file).toString();
        return MediaDescription{trimBlanks(record.title).toString(), trimBlanks(record.artist).toString(),
                                file.isEmpty() ? QString() : addressOf(file)};
    }
    const QString file = fileOfEntry(entry, table);
    if (file.isEmpty())
        return std::nullopt;
    return MediaDescription{fileNameOf(file), {}, addressOf(file)};
}
