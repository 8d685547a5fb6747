#pragma once

#include <QString>
#include <QStringView>

class LibraryTable;

// One playlist item is one of three kinds of text:
//  - library entry: the record's artist as its full 40 characters, 7 blanks, the trimmed title,
//    NBSP, the 16-character record code, NBSP;
//  - marked entry (read from a playlist file): a display text, 80 blanks, the path marker, a path;
//  - plain entry: a path, a URL or an M3U line, unchanged.

inline constexpr QStringView PathMarker = u"1!2@3#4$";

// The most entries the playlist holds: its counts and positions are 16-bit numbers.
inline constexpr int PlaylistCapacity = 32767;

enum class EntryKind { Library, Marked, Plain };

// The library entry of record n.
QString libraryEntry(const LibraryTable& table, int n);
// display text, 80 blanks, the path marker, the path.
QString markedEntry(QStringView displayText, QStringView path);

// How the player tells the kinds apart: a library entry has its first NBSP at character 46 or
// later; otherwise a marked entry has the marker at character 2 or later; otherwise plain.
EntryKind entryKindForPlayer(QStringView entry);
// The path of a marked entry: everything after the marker.
QStringView markedPath(QStringView entry);
// How the playlist writer tells a library entry: its first NBSP at character 2 or later.
bool isLibraryEntryForWriter(QStringView entry);
// The file or URL an entry opens: a marked entry's path, a library entry's record's file (the
// entry itself when its record is not in table), a plain entry's text.
QString fileOfEntry(const QString& entry, const LibraryTable& table);
