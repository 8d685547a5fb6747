#include "core/PlaylistFile.h"

#include "core/FileWriting.h"
#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "core/TextLines.h"

QStringList playlistLines(QByteArrayView data, bool readCompletely)
{
    QList<QByteArrayView> lines = splitLines(data);
    if (!readCompletely && !lines.isEmpty() && !endsWithLineEnd(data))
        lines.removeLast();
    QStringList entries;
    entries.reserve(lines.size());
    for (QByteArrayView line : lines)
        entries.append(decodeLine(line));
    return entries;
}

PlaylistFileRead readPlaylistFile(const QString& path)
{
    const TextFileRead read = readTextFile(path, PlaylistCapacity);
    return {playlistLines(read.data, read.complete), read.linesPastLimit, read.problem};
}

QString playlistLine(const PlaylistEntry& entry, const LibraryTable& table)
{
    const int record = recordOfEntry(entry, table);
    if (record == 0)
        return entry.text;
    return markedEntry(withoutRecordCode(entry.text), trimBlanks(table.record(record).file)).text;
}

QByteArray playlistFileBytes(const QList<PlaylistEntry>& entries, const LibraryTable& table)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const PlaylistEntry& entry : entries)
        lines.append(playlistLine(entry, table));
    return atFileStart(encodeLines(lines));
}

bool writePlaylistFile(const QString& path, const QList<PlaylistEntry>& entries, const LibraryTable& table,
                       QString* error)
{
    return writeFileAtomically(path, playlistFileBytes(entries, table), error);
}
