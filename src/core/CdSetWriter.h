#pragma once

#include "core/LibraryTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// One entry of a CD set: its record, the media file to copy and the name of the copy.
struct CdSetItem
{
    LibraryRecord record;
    QString source;   // the record's file path, trimmed
    QString fileName; // the copy's name inside the media folder
    bool copy = true; // false when an earlier item already copies this file under this name
};

// Names the copies of the records, in order: "<artist>-<title><ext>", and for each further
// different file whose name would be the same (letter case ignored, since the disc may be read
// where case does not count) "<artist>-<title> (2)<ext>", " (3)", ... The same file again is
// copied once, under the name it already has. Nothing when an entry cannot be written safely:
// an artist and title both empty or of dots alone, a name that is not one plain file name (a
// path separator, a control character, more than 255 bytes), or a file line too long for the
// set's database.
std::optional<QList<CdSetItem>> planCdSet(const QList<LibraryRecord>& records);

// Called after each item with its index and the length of its file in bytes.
using CdSetProgress = std::function<void(int index, qint64 bytes)>;

// What writing a CD set did.
struct CdSetWrite
{
    bool whole = false;           // every file is written, and the readme is the one of a whole set
    QString error;                // when not whole: the file that failed and the system's reason
    bool madeMediaFolder = false; // the media folder was made by this write
    QStringList written;          // the files this write made (copies, database, readme)

    bool wroteAnything() const { return madeMediaFolder || !written.isEmpty(); }
};

// Writes the set into folder: makes its media folder (which must not exist yet), creates the
// database at databasePath (replacing a file, never writing through a link) and a readme that
// says the set is incomplete, copies each item's file and then writes its record, and at the
// end replaces the readme by the one of a whole set. Stops at the first failure. Each copy takes
// its name only once it is whole, and a copy whose record cannot be written is removed again,
// so every copy in the media folder is whole and listed in the database, whatever happens.
CdSetWrite writeCdSet(const QString& folder, const QString& databasePath, const QList<CdSetItem>& items,
                      const CdSetProgress& afterEach);

// Removes what a write of a set made: its files, then its media folder when nothing else is in it.
// Returns the files that could not be removed, each as "<path>: <reason>".
QStringList removeCdSet(const CdSetWrite& write, const QString& folder);
