#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Copies the contents of the regular file `from` into a new file `to`. The target must not
// exist yet (nothing is replaced, no link is followed); an unfinished copy is removed again.
// Uses the kernel's in-place copy where it can and 1 MB chunks otherwise. Returns the number
// of bytes copied, or nothing on failure (a missing or special source, a full disk, ...), with
// error saying why.
std::optional<qint64> copyFileContents(const QString& from, const QString& to, QString* error = nullptr);
