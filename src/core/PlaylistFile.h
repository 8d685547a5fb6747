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

// What reading a playlist or M3U file gave.
struct PlaylistFileRead
{
    QStringList lines;         // its entries, at most as many as a playlist holds
    qsizetype linesLeftOut = 0; // the lines after those: counted, not kept
    QString problem;           // why the file could not be opened or read; empty when it could

    bool ok() const { return problem.isEmpty(); }
};

// Reads the entries of a playlist or M3U file. When it cannot be opened or read (not a regular
// file, a line too long), problem says why and lines holds the lines read whole before the
// failure.
PlaylistFileRead readPlaylistFile(const QString& path);

// The line written for one entry. A library entry whose record is in the table becomes its
// display text (all it shows: everything before its record code, no-break spaces in the title
// included), 80 blanks, the path marker and the record's file (trimmed); any other entry is
// written unchanged, so that reading it back gives the same entry.
QString playlistLine(const PlaylistEntry& entry, const LibraryTable& table);

// The bytes of a playlist file holding entries.
QByteArray playlistFileBytes(const QList<PlaylistEntry>& entries, const LibraryTable& table);

// Writes the playlist file atomically: on failure an earlier file at path stays whole, and
// error says why.
bool writePlaylistFile(const QString& path, const QList<PlaylistEntry>& entries, const LibraryTable& table,
                       QString* error = nullptr);
