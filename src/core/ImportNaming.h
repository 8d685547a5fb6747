#pragma once

#include "core/LibraryTable.h"
#include "core/TagReader.h"

#include <QSet>
#include <QString>
#include <QStringView>

// How an imported media file is named as a record. Artist and title come from the file's tags;
// one the tags do not name comes from a file name of the form "Artist - Title", else the artist
// is the name of the folder that holds the file and the title the file name without its
// extension (a file in the file system's top folder takes "Unknown" for its artist). The genre
// comes from the tags, else it is the one given for the import ("Unknown" when that is blank).
// Texts lose their line breaks and outer blanks and are cut to their fields' widths; no field is
// left empty.

// A tag's text as a field `width` characters wide holds it: on one line, without blanks around
// it, cut to the width.
QString fieldTextOfTag(const QString& tag, int width);

struct NamedRecord
{
    LibraryRecord record;
    // The artist or the title came from the file's name or folder, for want of a tag.
    bool namedFromFileName = false;
};

// The record of the media file at path (an absolute path), with its tags.
NamedRecord recordOfMediaFile(const QString& path, const MediaTags& tags, QStringView givenGenre);

// The form in which a file's path is compared with the files of the records: absolute paths, and
// file:// URLs as the paths they name, cleaned of "." and ".." steps and doubled slashes; other
// names as they stand.
QString comparableFile(const QString& file);
// The files the records of table name, each in its comparable form.
QSet<QString> filesNamedBy(const LibraryTable& table);
