#pragma once

#include <QString>
#include <QtGlobal>

// Which file a path named, and how it stood, when the program last read or wrote it: device,
// inode, length and modification time to the nanosecond. Another program that writes the file,
// or puts another file in its place (as text editors save), leaves a different stamp.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1; // -1: no stamp (the file could not be examined)
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    bool isValid() const { return size >= 0; }
    bool sameFileAs(const FileStamp& other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file open on fd; an invalid one when it cannot be examined.
FileStamp stampOfOpenFile(int fd);
// The stamp of the file path names, links followed; an invalid one when there is none.
FileStamp stampOfPath(const QString& path);
