#pragma once

#include <QString>
#include <QStringView>

// The rules of the database check: which record files count as missing.

// Whether a record's file is a URL ("scheme://…"), which the check leaves out. "file://" URLs
// name local files and are checked like paths.
bool isUrl(QStringView file);

// The length in bytes of the regular file at path; 0 when it cannot be read (no such file, a
// directory, a name that is no valid path).
qint64 fileLength(const QString& path);

// Whether the record's file counts as missing: not a URL, and no readable length or length 0.
// The name is taken without the blanks around it, as the CD builder takes it.
bool isMissingFile(QStringView file);
