#pragma once

#include "core/FileStamp.h"
#include "core/LibraryTable.h"
#include "core/TextLines.h"

#include <QString>
#include <span>

// The open database: its path, and the file kept open for appending records to it. A database
// that cannot be written (a read-only file) is open all the same, for browsing; appending opens
// the file for writing when it is needed, so it works as soon as the file may be written again.
//
// The file is written only while it is as the program last read or wrote it: before every append
// and every rewrite its stamp is compared with the one kept, under a lock that another Vexolin
// writing the same file waits for. A file another program changed or put in its place is left
// alone, and the write fails saying so. Lines written keep the file's line end and encoding.
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

    // Makes path the open database, as it stood when read: its stamp then, its style, and where
    // its whole records end (recordBytes; anything after, the lines of an unfinished record, is
    // cut off before the first record is appended; -1 when it holds whole records only).
    void open(const QString& path, const FileStamp& stamp, const TextFileStyle& style = TextFileStyle(),
              qint64 recordBytes = -1);
    // Flushes and closes; no database is open afterwards.
    void close();

    // Whether the file at the path is no longer the one last read or written, or was changed
    // since (by another program: the program's own writes keep the stamp up to date).
    bool isChangedElsewhere() const;

    // Appends the records' lines, four each, in one write, after a line end when the file's last
    // line has none; the file never keeps part of a record, and on failure none of them. On
    // failure error says why.
    bool append(std::span<const LibraryRecord> records, QString* error = nullptr);
    bool append(const LibraryRecord& record, QString* error = nullptr) { return append({&record, 1}, error); }
    // Writes records 1..recordCount() anew, atomically: on failure the old file stays whole and
    // error says why.
    bool rewrite(const LibraryTable& table, QString* error = nullptr);

private:
    // Opens the file for appending.
    bool openForAppend(QString* error);
    void closeAppendFile();
    // Cuts off an unfinished record at the file's end, once; the file's length afterwards.
    bool cutUnfinishedRecord(qint64& size, QString* error);
    // Whether the file, size bytes long, ends inside a line: its last line has no line end (as
    // many editors save it), so one must go before an appended record.
    bool endsInsideLine(qint64 size) const;

    QString path_;
    FileStamp stamp_;
    TextFileStyle style_;
    qint64 recordBytes_ = -1; // -1: the file holds whole records only
    int appendFd_ = -1;
};

// The reason a write gives when the database was changed by another program.
QString changedElsewhereReason();

// Creates the file at path, empty, replacing one that is there. False, with error saying why,
// when it cannot; written receives the new file's stamp.
bool createEmptyFile(const QString& path, QString* error = nullptr, FileStamp* written = nullptr);
