#pragma once

#include "core/FileStamp.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

// Writing the user's files so that a failure never leaves one half-changed, and always says why.
// A write past a file-size limit fails like a full disk instead of ending the program: the first
// use of these functions sets the process to ignore SIGXFSZ.

// The system's reason for a failed call, as the user reads it ("No space left on device").
QString systemReason(int error);

// Replaces the file at path with bytes, atomically: the bytes go to a new file beside it, are
// flushed to disk and then renamed over it (a link is followed to the file it names; the file's
// owner and group, where this process may set them, and its permissions stay). The new file has
// no name while it is written where the file system allows, else a short name of fixed length
// (so any name the file system takes can be replaced). On failure the old file is untouched,
// nothing is left behind, and error says why: a file the user may not write is refused as
// read-only; a folder the user may not write is named, with what to do, the file called `what`
// ("database"). written, when given, receives the stamp of the new file.
bool writeFileAtomically(const QString& path, QByteArrayView bytes, QString* error = nullptr,
                         const QString& what = QStringLiteral("file"), FileStamp* written = nullptr);

// Removes from folder the temporary files of writeFileAtomically that a process ended in the
// middle of a write left behind: only regular files of this user, named as this program names
// them, that no writer holds (a writer keeps its temporary file locked until it is renamed).
void removeStaleTemporaryFiles(const QString& folder);

// Makes a new file called name in the folder open on folderFd, never replacing anything there:
// fill writes the whole contents to the descriptor it is given (false, with errno set, when it
// cannot). The file takes its name only once whole; until then it has no name where the file
// system allows, else a short temporary one, so a process ended meanwhile leaves nothing under
// name (at most a temporary file that removeStaleTemporaryFiles clears). It is not forced to disk
// file by file: for the media of a CD set that made the copy several times slower than cp.
// fill is called again, on a new file, when a nameless file cannot be named. False with errno
// set when the file cannot be made, filled or named; nothing is left behind then.
bool writeNewFileWhole(int folderFd, const QByteArray& name, const std::function<bool(int fd)>& fill);

// Appends bytes to the file open on descriptor fd (opened for appending) in one piece: after a
// short write the file is cut back to its old length. On failure error says why.
bool appendWhole(int fd, QByteArrayView bytes, QString* error = nullptr);

// Makes a write past a file-size limit fail (EFBIG) instead of ending the program.
void surviveFileSizeLimit();
