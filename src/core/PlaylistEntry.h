#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class LibraryTable;

// A playlist entry is one of three kinds, decided once, when it enters the playlist, and kept
// with it:
//  - library entry (made from a record of the library): the record's artist as its full 40
//    characters, 7 blanks, the trimmed title, NBSP, the 16-character record code, NBSP;
//  - marked entry (a line of a playlist file that carries a path): a display text, 80 blanks,
//    the path marker, a path;
//  - plain entry: a path, a URL or an M3U line, unchanged.
// Only the program makes library entries; a text from outside (a file's line, a dropped file, a
// typed URL) is never taken for one, whatever characters it holds.

inline constexpr QStringView PathMarker = u"1!2@3#4$";

// The most entries the playlist holds: its counts and positions are 16-bit numbers.
inline constexpr int PlaylistCapacity = 32767;

enum class EntryKind { Library, Marked, Plain };

struct PlaylistEntry
{
    QString text;
    EntryKind kind = EntryKind::Plain;

    bool operator==(const PlaylistEntry&) const = default;
};

// The library entry of record n.
PlaylistEntry libraryEntry(const LibraryTable& table, int n);
// display text, 80 blanks, the path marker, the path.
PlaylistEntry markedEntry(QStringView displayText, QStringView path);

// A text from outside the library as an entry: marked when the path marker stands after its
// first character, plain otherwise.
PlaylistEntry entryOfText(const QString& text);
QList<PlaylistEntry> entriesOfTexts(const QStringList& texts);

// The path of a marked entry: everything after the marker.
QStringView markedPath(QStringView entry);
// The record a library entry names; 0 for another kind, or a number no record of table has.
int recordOfEntry(const PlaylistEntry& entry, const LibraryTable& table);
// The file or URL an entry opens: a marked entry's path, a library entry's record's file (the
// entry's text when its record is not in table), a plain entry's text.
QString fileOfEntry(const PlaylistEntry& entry, const LibraryTable& table);
