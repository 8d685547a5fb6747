#pragma once

#include "core/LibraryTable.h"

#include <QFile>
#include <QString>

// The open database: its path and the file kept open for appending records to it.
class DatabaseFile
{
public:
    ~DatabaseFile() { close(); }

    bool isOpen() const { return appendFile_.isOpen(); }
    // The path of the open database; empty when none is open.
    const QString& path() const { return path_; }

    // Opens path for appending and makes it the open database; false (and none open) on failure.
    bool openForAppend(const QString& path);
    // Flushes and closes; no database is open afterwards.
    void close();

    // Appends one record's four lines in one write and flushes them.
    bool append(const LibraryRecord& record, QString* error = nullptr);
    // Writes records 1..recordCount() anew, atomically: on failure the old file stays whole.
    bool rewrite(const LibraryTable& table, QString* error = nullptr);

private:
    QString path_;
    QFile appendFile_;
};
