#include "core/PlaylistEntry.h"

#include "core/LibraryTable.h"
#include "core/RecordCode.h"

#include <algorithm>

PlaylistEntry libraryEntry(const LibraryTable& table, int n)
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
    return {std::move(entry), EntryKind::Library};
}

PlaylistEntry markedEntry(QStringView displayText, QStringView path)
{
    QString entry;
    entry.reserve(displayText.size() + 80 + PathMarker.size() + path.size());
    entry.append(displayText);
    entry.append(QString(80, QChar(' ')));
    entry.append(PathMarker);
    entry.append(path);
    return {std::move(entry), EntryKind::Marked};
}

PlaylistEntry entryOfText(const QString& text)
{
    // The marker must stand after the first character (a display text of at least one).
    return {text, text.indexOf(PathMarker) >= 1 ? EntryKind::Marked : EntryKind::Plain};
}

QList<PlaylistEntry> entriesOfTexts(const QStringList& texts)
{
    QList<PlaylistEntry> entries;
    entries.reserve(texts.size());
    for (const QString& text : texts)
        entries.append(entryOfText(text));
    return entries;
}

QStringView markedPath(QStringView entry)
{
    const qsizetype at = entry.indexOf(PathMarker);
    return at < 0 ? QStringView() : entry.sliced(at + PathMarker.size());
}

int recordOfEntry(const PlaylistEntry& entry, const LibraryTable& table)
{
    if (entry.kind != EntryKind::Library)
        return 0;
    const int r = recordOfCodedEntry(entry.text);
    return table.contains(r) ? r : 0;
}

QString fileOfEntry(const PlaylistEntry& entry, const LibraryTable& table)
{
    switch (entry.kind) {
    case EntryKind::Marked: return markedPath(entry.text).toString();
    case EntryKind::Library: {
        const int r = recordOfEntry(entry, table);
        return r != 0 ? table.record(r).file : entry.text;
    }
    case EntryKind::Plain: break;
    }
    return entry.text;
}
