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

    // Whether a database is open for adding records, and its path (empty when none is).
    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return file_.path(); }
    // Whether the table holds changes the file does not have yet: removed records, or an added
    // record the file could not take. Writing the file anew stores them.
    bool needsRewrite() const { return needsRewrite_; }

    // Appends the records of the database file at path to the table, as many as fit. The file
    // becomes the open database when it was read whole and all its complete records fit; otherwise
    // no database is open (so nothing can later rewrite a file from a partial table). Returns
    // whether the database is open; recordsLoaded announces the new records either way.
    bool load(const QString& path);
    // Empties the table and closes the open database; changes not yet written are dropped.
    void clear();
    // Flushes and closes the open database; the table stays.
    void close();
    // Creates the file at path, empty (replacing one that is there), and makes it the open
    // database; the table stays. False, and no database open, when it cannot be created.
    bool createEmpty(const QString& path);

    // Appends a record to the table; its number, or 0 when the table is full.
    int add(LibraryRecord record);
    // Appends record n's four lines to the open database in one write. On failure error says
    // why, and the record waits for the next rewrite.
    bool appendToFile(int n, QString* error = nullptr);
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

private:
    LibraryTable table_;
    DatabaseFile file_;
    bool needsRewrite_ = false;
};
