#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

// Media files on disk: which files are media (audio and video the player plays; not playlists,
// pictures or text), and the walk of a folder for them.

// Whether the file name ends in the extension of an audio or video kind the player plays,
// letter case aside.
bool hasMediaExtension(QStringView fileName);
// Whether the regular file at path is media: by its extension, or, for a name without one, by
// what its first bytes are.
bool isMediaFile(const QString& path);

// What a walk tells as it goes. Every member may be left empty.
struct FolderWalkEvents
{
    // A folder is about to be read.
    std::function<void(const QString& folder)> enteringFolder = {};
    // A regular file was looked at (media or not).
    std::function<void()> fileLookedAt = {};
    // A media file was found; its path is the folder's path and the names below it.
    std::function<void(const QString& path)> mediaFound = {};
    // Asked before each name: true ends the walk.
    std::function<bool()> cancelled = {};
};

// Walks folder and every folder below it and tells each media file in path order: a folder's
// names sorted as the program's lists sort, a sub-folder's files where its name stands. Links are
// followed; hidden names (beginning with a dot) are left out. Each folder is walked once: a link
// back to a folder on the way (a loop) or to one already walked is not followed again. Returns
// the folders that could not be read, as "<folder>: <reason>".
QStringList walkMediaFiles(const QString& folder, const FolderWalkEvents& events);
