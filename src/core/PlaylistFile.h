#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct PlaylistEntry;

class LibraryTable;

// Playlist files (".vxplaylist") and M3U files: one entry per line, CR LF after each.
//
// Reading keeps every line as it stands (empty lines, blanks, "#" lines included); writing turns
// library entries into marked entries that carry their record's file instead of its number, so
// a saved playlist does not depend on the database that was open.

// The entries held by a playlist or M3U file's bytes. When the read stopped early
// (readCompletely false), an unfinished last line is left out: only lines that ended were read
// whole.
QStringList playlistLines(QByteArrayView data, bool readCompletely = true);

// Reads the entries of a playlist or M3U file into lines: one more than a playlist holds at
// most, so a caller sees that some were left out. False, with problem saying why, when the file
// cannot be opened or read (not a regular file, a line too long); lines then holds the lines
// that were read whole before the failure.
bool readPlaylistFile(const QString& path, QStringList& lines, QString* problem = nullptr);

// The line written for one entry. A library entry whose record is in the table becomes its
// display text, 80 blanks, the path marker and the record's file (trimmed); any other entry is
// written unchanged, so that reading it back gives the same entry.
QString playlistLine(const PlaylistEntry& entry, const LibraryTable& table);

// The bytes of a playlist file holding entries.
QByteArray playlistFileBytes(const QList<PlaylistEntry>& entries, const LibraryTable& table);

// Writes the playlist file atomically: on failure an earlier file at path stays whole, and
// error says why.
bool writePlaylistFile(const QString& path, const QList<PlaylistEntry>& entries, const LibraryTable& table,
                       QString* error = nullptr);
