#pragma once

#include "playlist/PlaylistEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class Form1;
class LibraryTable;

// Playlist files (".vxplaylist") and M3U files: one entry per line, CR LF after each.
//
// Reading keeps every line as it stands (empty lines, blanks, "#" lines included); writing turns
// library entries into marked entries that carry their record's file instead of its number, so
// a saved playlist does not depend on the database that was open.


// The entries held by a playlist or M3U file's bytes.
QStringList playlistLines(QByteArrayView data);

// Reads the entries of a playlist or M3U file into lines. False when the file cannot be opened
// or read; lines then holds the lines that were read whole before the failure.
bool readPlaylistFile(const QString& path, QStringList& lines);

// The line written for one entry. A library entry whose record is in the table becomes its
// display text, 80 blanks, the path marker and the record's file (trimmed); any other entry is
// written unchanged.
QString playlistLine(QStringView entry, const LibraryTable& table);

// The bytes of a playlist file holding entries.
QByteArray playlistFileBytes(const QStringList& entries, const LibraryTable& table);

// Writes the playlist file atomically: on failure an earlier file at path stays whole, and
// error says why.
bool writePlaylistFile(const QString& path, const QStringList& entries, const LibraryTable& table,
                       QString* error = nullptr);

// File > Open Playlist and File > Save Playlist.
class PlaylistFiles
{
public:
    explicit PlaylistFiles(Form1& form);

    // Appends the entries of a chosen playlist file to the playlist; reading failures are silent.
    void OpenPlaylist_Click();
    // Writes the whole playlist to a chosen file; a failure to write is reported.
    void SavePlaylist_Click();

private:
    Form1& form_;
};

// The entries of the playlist, in order.
QStringList playlistEntries(const Form1& form);
// Appends entries to the playlist, as many as it has room for; returns how many were appended.
qsizetype appendToPlaylist(Form1& form, QStringList entries);
