#pragma once

#include <QString>
#include <optional>

class LibraryTable;
struct PlaylistEntry;

// What the desktop's media widgets are told about an opened playlist entry.
struct MediaDescription
{
    QString title;
    QString artist; // empty unless the entry names a record
    QString url;    // where the media is: a URL as given, a local file as a file:// URL
};

// A library entry is described by its record (trimmed artist and title); any other entry by the
// file name of what it opens. Nothing for an entry that opens nothing: a library entry whose
// record is not in the table, or an empty text.
std::optional<MediaDescription> describeEntry(const PlaylistEntry& entry, const LibraryTable& table);
