#include "core/PlaylistFile.h"

#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "core/TextLines.h"

#include <QSaveFile>

QStringList playlistLines(QByteArrayView data, bool readCompletely)
{
    QList<QByteArrayView> lines = splitLines(data);
    if (!readCompletely && !lines.isEmpty() && !data.endsWith('\r') && !data.endsWith("\r\n"))
        lines.removeLast();
    QStringList entries;
    entries.reserve(lines.size());
    for (QByteArrayView line : lines)
        entries.append(decodeLine(line));
    return entries;
}

bool readPlaylistFile(const QString& path, QStringList& lines)
{
    QByteArray data;
    const bool complete = readWholeFile(path, data);
    lines = playlistLines(data, complete);
    return complete;
}

QString playlistLine(QStringView entry, const LibraryTable& table)
{
    if (!isLibraryEntryForWriter(entry))
        return entry.toString();
    const qsizetype nbsp = entry.indexOf(NBSP);
    const int record = decodeRecordNumber(entry.sliced(nbsp + 1).left(RecordCodeLength));
    // An entry whose code names no record of the table (a plain entry that happens to hold a
    // no-break space, or a record removed since) keeps its text rather than borrow another path.
    if (!table.contains(record))
        return entry.toString();
    return markedEntry(entry.left(nbsp), trimBlanks(table.record(record).file));
}

QByteArray playlistFileBytes(const QStringList& entries, const LibraryTable& table)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString& entry : entries)
        lines.append(playlistLine(entry, table));
    return atFileStart(encodeLines(lines));
}

bool writePlaylistFile(const QString& path, const QStringList& entries, const LibraryTable& table,
                       QString* error)
{
    const QByteArray data = playlistFileBytes(entries, table);
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}
