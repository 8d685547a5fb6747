#pragma once

#include "core/LibraryTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// The database file: four lines per record (artist, title, genre, file), CR LF after every
// line, no header. A file of 0 bytes is an empty database.

struct DatabaseContents
{
    // Complete records in file order, each field at its width, file paths resolved.
    std::vector<LibraryRecord> records;
    // False when the file ended inside a record or held more records than the library can.
    bool complete = true;
};

// Parses a database's bytes. Records past the library's capacity are left out and make the
// result incomplete; so does a last record with fewer than four lines (it is dropped).
DatabaseContents parseDatabase(QByteArrayView data, const QString& databasePath);

// A stored file line that begins with "#:" names a path relative to the folder that holds the
// database (backslashes read as "/"), so a database copied with its media finds them anywhere.
// Where the database's path carries a drive letter, and for any other line beginning with "#",
// that character is replaced by the first character of the database's path.
QString resolveStoredPath(const QString& storedFile, const QString& databasePath);

// The four lines of a record as written: each field trimmed, CR LF after each.
QByteArray formatRecord(const LibraryRecord& record);
