#pragma once

#include "core/LibraryTable.h"
#include "core/TextLines.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

// The database file: four lines per record (artist, title, genre, file), CR LF after every
// line (LF in a file that other programs wrote with LF line ends), no header. A file of 0 bytes
// is an empty database.

struct DatabaseContents
{
    // Complete records in file order, each field at its width, file paths resolved, each with
    // its lines as stored.
    std::vector<LibraryRecord> records;
    // False when the file holds more records than the library can.
    bool withinCapacity = true;
    // The lines at the end that make no whole record (fewer than four), as read.
    QStringList leftOverLines;
    // How many bytes of the file the kept records and what stands before them take: where
    // whole records end.
    qsizetype recordBytes = 0;
    // The file's line end and encoding, which lines written to it keep.
    TextFileStyle style;
    // The number (from 1) of the first line holding a NUL byte: the file is damaged from there
    // on, and only the whole records before that line are kept. 0 when no line holds one.
    qsizetype damagedFromLine = 0;
};

// Parses a database's bytes. Records past the library's capacity are left out; so is a last
// record with fewer than four lines, and everything from the first line holding a NUL byte on.
DatabaseContents parseDatabase(QByteArrayView data, const QString& databasePath);

// A stored file line that begins with "#:" names a path relative to the folder that holds the
// database (backslashes read as "/"), so a database copied with its media finds them anywhere.
// Where the database's path carries a drive letter, and for any other line beginning with "#",
// that character is replaced by the first character of the database's path.
QString resolveStoredPath(const QString& storedFile, const QString& databasePath);

// The four lines of a record as written into a file of the given style, each with the file's
// line end: its lines as stored, byte for byte, when it was read from a database file, else each
// field trimmed, in the file's encoding (by default CR LF and UTF-8).
QByteArray formatRecord(const LibraryRecord& record, const TextFileStyle& style = TextFileStyle());
