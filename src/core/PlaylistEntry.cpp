#include "core/PlaylistEntry.h"

#include "core/LibraryTable.h"
#include "core/RecordCode.h"

#include <algorithm>

QString libraryEntry(const LibraryTable& table, int n)
{
    // Built in place with one allocation: All to Playlist makes one per record.
    const LibraryRecord& record = table.record(n);
    const QStringView artist = QStringView(record.artist).first(qMin<qsizetype>(ArtistWidth, record.artist.size()));
    const QStringView title = trimBlanks(record.title);
    const qsizetype codeAt = ArtistWidth + 7 + title.size();
    QString entry(codeAt + RecordCodeLength + 2, Qt::Uninitialized);
    QChar* dst = std::copy(artist.begin(), artist.end(), entry.data());
    dst = std::fill_n(dst, ArtistWidth - artist.size() + 7, QChar(' '));
    dst = std::copy(title.begin(), title.end(), dst);
    *dst++ = NBSP;
    writeRecordNumber(dst, n);
    dst[RecordCodeLength] = NBSP;
    return entry;
}

QString markedEntry(QStringView displayText, QStringView path)
{
    QString entry;
    entry.reserve(displayText.size() + 80 + PathMarker.size() + path.size());
    entry.append(displayText);
    entry.append(QString(80, QChar(' ')));
    entry.append(PathMarker);
    entry.append(path);
    return entry;
}

EntryKind entryKindForPlayer(QStringView entry)
{
    // Positions counted from 0: character 46 is index 45, character 2 is index 1.
    if (entry.indexOf(NBSP) >= 45)
        return EntryKind::Library;
    if (entry.indexOf(PathMarker) >= 1)
        return EntryKind::Marked;
    return EntryKind::Plain;
}

QStringView markedPath(QStringView entry)
{
    const qsizetype at = entry.indexOf(PathMarker);
    return at < 0 ? QStringView() : entry.sliced(at + PathMarker.size());
}

bool isLibraryEntryForWriter(QStringView entry)
{
    return entry.indexOf(NBSP) >= 1;
}

QString fileOfEntry(const QString& entry, const LibraryTable& table)
{
    switch (entryKindForPlayer(entry)) {
    case EntryKind::Marked: return markedPath(entry).toString();
    case EntryKind::Library: {
        const int r = recordOfCodedEntry(entry);
        return r >= 1 && r <= table.recordCount() ? table.record(r).file : entry;
    }
    case EntryKind::Plain: break;
    }
    return entry;
}
