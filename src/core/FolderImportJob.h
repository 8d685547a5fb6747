#pragma once

#include "core/LibraryTable.h"

#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <vector>

class TagReader;

// One import of a folder: walks it and its sub-folders for media files, leaves out those the
// database already names, and reads the tags of the rest, on several threads at once, into
// records (see ImportNaming). Made on one thread, run on another; its progress may be asked and
// it may be cancelled from any thread meanwhile.
class FolderImportJob
{
public:
    struct Settings
    {
        QString folder = {};
        // The genre of files without a genre tag.
        QString genre = {};
        // The files the database names, as comparableFile gives them.
        QSet<QString> knownFiles = {};
        // How many records the library can still take.
        int room = LibraryCapacity;
        // How many threads read tags, the calling one included.
        int threads = 2;
    };

    struct Progress
    {
        int filesLookedAt = 0; // every file the walk met, media or not
        int recordsFound = 0;  // media files read into records so far
        int filesRead = 0;     // of filesToRead
        int filesToRead = 0;   // 0 while the walk goes on
        QString folder;        // the folder the walk is in
    };

    struct Result
    {
        // The new records, in path order.
        std::vector<LibraryRecord> records;
        int alreadyIn = 0;          // media files the database names
        int namedFromFileNames = 0; // records named (partly) from a file or folder name
        // What could not be read, as "<path>: <reason>": the folders the walk could not open,
        // then in path order the files that could not be read and the names a record cannot keep.
        QStringList notRead;
        int leftOutAtCapacity = 0; // media files for which the library had no room
        bool cancelled = false;
    };

    FolderImportJob(const TagReader& reader, Settings settings);
    FolderImportJob(const FolderImportJob&) = delete;
    FolderImportJob& operator=(const FolderImportJob&) = delete;

    // Walks and reads; returns when done or cancelled. Call once.
    void run();
    // Makes run() stop soon; its result then holds no records.
    void cancel() { cancelled_ = true; }
    bool isCancelled() const { return cancelled_; }
    Progress progress() const;
    // What run() made; call after it returned.
    Result takeResult() { return std::move(result_); }

private:
    // The media files to read, in path order; files the database names are counted, names a
    // record cannot keep told as not read.
    void walk();
    // Reads the tags of candidates [first, last) on the threads, into readings_.
    void readTags(size_t first, size_t last);
    void readOne(size_t index);
    // Turns the readings of candidates [first, last) into records, in order.
    void collect(size_t first, size_t last);

    const TagReader& reader_;
    const Settings settings_;
    std::vector<QString> candidates_;
    struct Reading
    {
        LibraryRecord record;
        bool namedFromFileName = false;
        QString problem;
    };
    std::vector<Reading> readings_;
    std::atomic<size_t> nextToRead_ = 0;
    size_t readEnd_ = 0;
    Result result_;

    std::atomic<bool> cancelled_ = false;
    std::atomic<int> filesLookedAt_ = 0;
    std::atomic<int> recordsFound_ = 0;
    std::atomic<int> filesRead_ = 0;
    std::atomic<int> filesToRead_ = 0;
    mutable QMutex folderLock_;
    QString folder_;
};
