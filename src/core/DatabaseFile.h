#pragma once

#include "core/LibraryTable.h"

#include <QString>

// The open database: its path, and the file kept open for appending records to it. A database
// that cannot be written (a read-only file) is open all the same, for browsing; appending opens
// the file for writing when it is needed, so it works as soon as the file may be written again.
class DatabaseFile
{
public:
    DatabaseFile() = default;
    DatabaseFile(const DatabaseFile&) = delete;
    DatabaseFile& operator=(const DatabaseFile&) = delete;
    ~DatabaseFile() { close(); }

    bool isOpen() const { return !path_.isEmpty(); }
    // The path of the open database; empty when none is open.
    const QString& path() const { return path_; }

    // Makes path the open database. recordBytes is where its whole records end: anything after
    // (the lines of an unfinished record) is cut off before the first record is appended.
    void open(const QString& path, qint64 recordBytes);
    // Flushes and closes; no database is open afterwards.
    void close();

    // Appends one record's four lines in one write; the file never keeps part of a record. On
    // failure error says why.
    bool append(const LibraryRecord& record, QString* error = nullptr);
    // Writes records 1..recordCount() anew, atomically: on failure the old file stays whole and
    // error says why.
    bool rewrite(const LibraryTable& table, QString* error = nullptr);

private:
    // Opens the file for appending, cutting off an unfinished record at its end first.
    bool openForAppend(QString* error);
    void closeAppendFile();

    QString path_;
    qint64 recordBytes_ = -1; // -1: the file holds whole records only
    int appendFd_ = -1;
};

// Creates the file at path, empty, replacing one that is there. False, with error saying why,
// when it cannot.
bool createEmptyFile(const QString& path, QString* error = nullptr);
