#pragma once

#include "core/DatabaseFile.h"
#include "core/LibraryTable.h"

#include <QList>
#include <QObject>
#include <QString>

// The library the program works on: the table of records and the open database file behind it.
// Entries elsewhere name records by number; the signals let them follow before records go.
class Library : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const LibraryTable& table() const { return table_; }
    int recordCount() const { return table_.recordCount(); }
    const LibraryRecord& record(int n) const { return table_.record(n); }

    // Whether a database is open, and its path (empty when none is). An open database may still
    // refuse records (a read-only file): adding says so then.
    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return file_.path(); }
    // Whether the table holds changes the file does not have yet: removed records, or an added
    // record the file could not take. Writing the file anew stores them.
    bool needsRewrite() const { return needsRewrite_; }
    // Whether another program changed the open database, or put another file in its place,
    // since the program last read or wrote it: nothing is written to it then.
    bool isChangedElsewhere() const { return file_.isChangedElsewhere(); }
    // Why the records in the table come from a database that is open for browsing only (it holds
    // more records than the library takes, or is damaged), as "<path>: <reason>"; empty when not.
    // Such a file is never written.
    const QString& browseOnlyReason() const { return browseOnlyReason_; }

    // What a load found.
    struct LoadResult
    {
        bool opened = false;       // the file is now the open database
        QStringList leftOverLines; // lines at its end that make no whole record, left out
        int recordsLoaded = 0;     // records added to the table
        bool stoppedAtCapacity = false; // the library filled up before the file's end
        qsizetype damagedFromLine = 0;  // the first line holding a NUL byte; 0 when none does
        // Why the file could not be read, or was refused, as "<path>: <reason>" ("is a
        // directory", NUL bytes in it); empty when it was read.
        QString problem;
    };
    // Appends the records of the database file at path to the table, as many as fit; a last
    // record of fewer than four lines is left out (and cut from the file before a record is added
    // to it). The file becomes the open database when it could be read and all its whole records
    // fit; otherwise no database is open (so nothing can later rewrite a file from a partial
    // table), and the records loaded are for browsing only. Only a regular file is read; in a
    // file holding NUL bytes (as a crash may leave) the records before the first line holding
    // one are loaded. Temporary files an interrupted write left beside an opened database are
    // removed. recordsLoaded announces the new records either way.
    LoadResult load(const QString& path);
    // Empties the table and closes the open database; changes not yet written are dropped.
    void clear();
    // Flushes and closes the open database; the table stays.
    void close();
    // Creates the file at path, empty (replacing one that is there), and makes it the open
    // database; the table stays, changes waiting for the old file are dropped. When it cannot
    // be created, error says why and the open database stays open.
    bool createEmpty(const QString& path, QString* error = nullptr);

    // Appends a record to the table; its number, or 0 when the table is full.
    int add(LibraryRecord record);
    // Appends record n's four lines to the open database in one write. On failure error says
    // why, and the record waits for the next rewrite.
    bool appendToFile(int n, QString* error = nullptr);
    // Appends records to the table and their lines to the open database in one write, all of them
    // or none: when the file cannot take them, or the table has no room for all, nothing is added
    // and error says why. The number of the first one added, or 0.
    int appendRecords(std::vector<LibraryRecord> records, QString* error = nullptr);
    // Removes record n, or the records numbered in `numbers` (any order, repeats and numbers
    // outside the table ignored); the later records are renumbered.
    void remove(int n);
    void removeAll(const QList<int>& numbers);
    // Counts the file as behind the table from now on, whatever changed: the next rewrite writes
    // every record (Remove does so even when nothing was chosen to remove).
    void requireRewrite() { needsRewrite_ = true; }
    // Writes every record anew into the open database, atomically, and opens it again for
    // appending. On failure the old file stays whole, error says why, and the changes stay
    // pending for the next attempt.
    bool rewrite(QString* error = nullptr);

signals:
    // Records are about to be removed: anything holding their numbers follows now, while the
    // table still holds them.
    void aboutToRemoveRecords(const QList<int>& numbers);
    // Every record is about to go (another database is opened).
    void aboutToClear();
    // Records first..recordCount() arrived from a database file.
    void recordsLoaded(int first);
    // A database was opened or closed: isOpen() may have changed.
    void openChanged();

private:
    // Closes the open database, telling of it.
    void closeFile();

    LibraryTable table_;
    DatabaseFile file_;
    bool needsRewrite_ = false;
    QString browseOnlyReason_;
};
