#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

// The size of the library files chosen for a CD set, in kilobytes (1 megabyte = 1024).

// The length of a library file for the size count: the stored path without its padding blanks;
// nothing for a URL or a path that names no readable regular file.
std::optional<qint64> measuredFileLength(QStringView storedPath);

// kilobytes ± bytes / 1024, rounded to the nearest whole number, an exact half to the even one.
qint64 addRoundedKilobytes(qint64 kilobytes, qint64 bytes, int sign);
