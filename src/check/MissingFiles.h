#pragma once

#include "library/LibraryTable.h"

#include <QList>
#include <QString>
#include <QStringView>

// The rules of the database check, without widgets.

// Whether a record's file is a URL ("scheme://…"), which the check leaves out. "file://" URLs
// name local files and are checked like paths.
bool isUrl(QStringView file);

// The length in bytes of the regular file at path; 0 when it cannot be read (no such file, a
// directory, a name that is no valid path).
qint64 fileLength(const QString& path);

// Whether the record's file counts as missing: not a URL, and no readable length or length 0.
bool isMissingFile(const QString& file);

// Removes the records numbered in `numbers` (each once, any order) in one pass; the others keep
// their order and are renumbered. Numbers outside 1..RecordCount are ignored.
void removeRecords(LibraryTable& table, const QList<int>& numbers);
