#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Copies the contents of the regular file `from` into a new file `to`. The target must not
// exist yet (nothing is replaced, no link is followed), and it appears under its name only once
// the copy is whole and on disk: while the copy runs it has no name, or a short temporary one,
// and a failed copy leaves nothing behind. Uses the kernel's in-place copy where it can and
// 1 MB chunks otherwise. Returns the number of bytes copied, or nothing on failure, with error
// naming the file that failed, the source (missing, special, unreadable) or the target (a full
// disk, a name that is taken), and the system's reason ("<file>: No space left on device").
std::optional<qint64> copyFileContents(const QString& from, const QString& to, QString* error = nullptr);
