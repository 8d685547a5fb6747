#pragma once

#include <QString>

// The artist, title and genre a media file's own tags name; an empty text where a tag is missing
// or blank.
struct MediaTags
{
    QString artist;
    QString title;
    QString genre;
};

// What reading a file's tags gave: its tags, or why the file could not be read at all ("<system
// reason>"). A file that reads but carries no tags, or whose kind holds none, gives empty tags
// and no problem.
struct TagReading
{
    MediaTags tags;
    QString problem;
};

// Reads the tags of media files. Implementations may be called from several threads at once,
// each with a different file.
class TagReader
{
public:
    virtual ~TagReader() = default;
    virtual TagReading read(const QString& path) const = 0;
};
