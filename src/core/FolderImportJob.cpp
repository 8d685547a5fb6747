#include "core/FolderImportJob.h"

#include "core/ImportNaming.h"
#include "core/MediaFiles.h"
#include "core/StorableNames.h"
#include "core/TagReader.h"

#include <QMutexLocker>
#include <algorithm>
#include <system_error>
#include <thread>

FolderImportJob::FolderImportJob(const TagReader& reader, Settings settings)
    : reader_(reader), settings_(std::move(settings))
{
}

FolderImportJob::Progress FolderImportJob::progress() const
{
    Progress now;
    now.filesLookedAt = filesLookedAt_;
    now.recordsFound = recordsFound_;
    now.filesRead = filesRead_;
    now.filesToRead = filesToRead_;
    const QMutexLocker lock(&folderLock_);
    now.folder = folder_;
    return now;
}

void FolderImportJob::run()
{
    walk();
    // Read as many as there is room for; files that cannot be read leave room for the next ones.
    size_t next = 0;
    while (!cancelled_ && next < candidates_.size()
           && result_.records.size() < size_t(std::max(settings_.room, 0))) {
        const size_t last =
            std::min(candidates_.size(), next + (size_t(settings_.room) - result_.records.size()));
        filesToRead_ = int(last);
        readTags(next, last);
        collect(next, last);
        next = last;
    }
    result_.leftOutAtCapacity = int(candidates_.size() - next);
    if (cancelled_) {
        result_ = Result();
        result_.cancelled = true;
    }
}

void FolderImportJob::walk()
{
    FolderWalkEvents events;
    events.enteringFolder = [this](const QString& folder) {
        const QMutexLocker lock(&folderLock_);
        folder_ = folder;
    };
    events.fileLookedAt = [this] { ++filesLookedAt_; };
    events.mediaFound = [this](const QString& path) {
        // The walk's paths are clean already.
        if (settings_.knownFiles.contains(path))
            ++result_.alreadyIn;
        else if (const QString reason = whyNotARecordFile(path); !reason.isEmpty())
            result_.notRead.append(reason);
        else
            candidates_.push_back(path);
    };
    events.cancelled = [this] { return cancelled_.load(); };
    const QStringList unreadFolders = walkMediaFiles(settings_.folder, events);
    result_.notRead = unreadFolders + result_.notRead;
    readings_.resize(candidates_.size());
}

void FolderImportJob::readTags(size_t first, size_t last)
{
    nextToRead_ = first;
    readEnd_ = last;
    auto work = [this] {
        for (size_t i = nextToRead_++; i < readEnd_ && !cancelled_; i = nextToRead_++)
            readOne(i);
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < settings_.threads && size_t(t) < last - first; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break; // no thread to be had: the ones there do the work
        }
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
}

void FolderImportJob::readOne(size_t index)
{
    const QString& path = candidates_[index];
    const TagReading reading = reader_.read(path);
    Reading& out = readings_[index];
    if (reading.problem.isEmpty()) {
        NamedRecord named = recordOfMediaFile(path, reading.tags, settings_.genre);
        out.record = std::move(named.record);
        out.namedFromFileName = named.namedFromFileName;
        ++recordsFound_;
    } else {
        out.problem = path + QStringLiteral(": ") + reading.problem;
    }
    ++filesRead_;
}

void FolderImportJob::collect(size_t first, size_t last)
{
    result_.records.reserve(last);
    for (size_t i = first; i < last; ++i) {
        Reading& reading = readings_[i];
        if (!reading.problem.isEmpty()) {
            result_.notRead.append(reading.problem);
            continue;
        }
        result_.namedFromFileNames += reading.namedFromFileName ? 1 : 0;
        result_.records.push_back(std::move(reading.record));
    }
}
