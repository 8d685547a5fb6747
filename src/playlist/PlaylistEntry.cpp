#include "playlist/PlaylistEntry.h"

#include "library/LibraryTable.h"
#include "library/RecordCode.h"

QString libraryEntry(const LibraryTable& table, int n)
{
    QString visible;
    visible.reserve(ArtistWidth + 7 + TitleWidth);
    visible.append(fixedWidth(table.Artist(n), ArtistWidth));
    visible.append(QString(7, QChar(' ')));
    visible.append(trimBlanks(table.Title(n)));
    return codedEntry(visible, n);
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
