#include "core/MediaFiles.h"

#include "core/FileWriting.h"
#include "core/TextOrder.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QSet>

#include <algorithm>
#include <vector>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace {

// Audio and video the player plays, by extension (upper case, without the dot).
const QSet<QString>& mediaExtensions()
{
    static const QSet<QString> extensions = {
        // audio
        "MP3", "MP2", "MPA", "OGG", "OGA", "OPUS", "SPX", "FLAC", "WAV", "W64", "WV", "APE", "MPC", "M4A", "M4B",
        "AAC", "AC3", "EAC3", "DTS", "WMA", "AIF", "AIFF", "AIFC", "AU", "SND", "AMR", "CAF", "MKA", "TTA", "DSF",
        "DFF", "RA",
        // video
        "MP4", "M4V", "MKV", "WEBM", "AVI", "MOV", "QT", "WMV", "ASF", "MPG", "MPEG", "MPE", "VOB", "TS", "M2TS",
        "MTS", "3GP", "3G2", "FLV", "F4V", "OGV", "OGM", "DIVX", "RM", "RMVB"};
    return extensions;
}

QStringView extensionOf(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot <= 0 ? QStringView() : fileName.mid(dot + 1);
}

struct DirectoryId
{
    dev_t device;
    ino_t inode;
    bool operator==(const DirectoryId&) const = default;
};

size_t qHash(const DirectoryId& id, size_t seed = 0)
{
    return qHashMulti(seed, quint64(id.device), quint64(id.inode));
}

// A name a folder holds, with the kind of file the folder says it names (DT_UNKNOWN when it does
// not say).
struct FolderName
{
    QString name;
    unsigned char kind;
};

class FolderWalk
{
public:
    explicit FolderWalk(const FolderWalkEvents& events) : events_(events) {}

    void folder(const QString& path, const struct stat& info)
    {
        if (visited_.contains({info.st_dev, info.st_ino}))
            return;
        visited_.insert({info.st_dev, info.st_ino});
        if (events_.enteringFolder)
            events_.enteringFolder(path);
        std::vector<FolderName> names;
        if (!readNames(path, names))
            return;
        for (const FolderName& name : inListOrder(names)) {
            if (events_.cancelled && events_.cancelled())
                return;
            entry(path == QLatin1String("/") ? path + name.name : path + u'/' + name.name, name.kind);
        }
    }

    QStringList problems;

private:
    void entry(const QString& path, unsigned char kind)
    {
        // A regular file the folder names as such needs no look of its own.
        if (kind == DT_REG) {
            file(path);
            return;
        }
        struct stat info;
        // Links are followed: a link to a folder is walked as that folder (once), a link to a
        // file is the file.
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return; // a dangling link, or a name gone since the folder was read
        if (S_ISDIR(info.st_mode))
            folder(path, info);
        else if (S_ISREG(info.st_mode))
            file(path);
    }

    void file(const QString& path)
    {
        if (events_.fileLookedAt)
            events_.fileLookedAt();
        if (isMediaFile(path) && events_.mediaFound)
            events_.mediaFound(path);
    }

    bool readNames(const QString& path, std::vector<FolderName>& names)
    {
        DIR* dir = ::opendir(QFile::encodeName(path).constData());
        if (!dir) {
            problems.append(path + QStringLiteral(": ") + systemReason(errno));
            return false;
        }
        while (const dirent* entry = ::readdir(dir)) {
            // Hidden names are left out: the folder itself and its parent, and what the desktop
            // keeps out of sight (trash, caches, the "._" shadow files of other systems).
            const char* name = entry->d_name;
            if (name[0] == '.')
                continue;
            names.push_back({QFile::decodeName(name), entry->d_type});
        }
        ::closedir(dir);
        // Names equal in list order keep one order, whatever order the folder gave them in.
        std::sort(names.begin(), names.end(), [](const FolderName& a, const FolderName& b) { return a.name < b.name; });
        return true;
    }

    static std::vector<FolderName> inListOrder(std::vector<FolderName>& names)
    {
        QList<QStringView> texts;
        texts.reserve(qsizetype(names.size()));
        for (const FolderName& name : names)
            texts.append(name.name);
        std::vector<FolderName> ordered;
        ordered.reserve(names.size());
        for (int i : listOrder(texts))
            ordered.push_back(std::move(names[size_t(i)]));
        return ordered;
    }

    const FolderWalkEvents& events_;
    QSet<DirectoryId> visited_;
};

} // namespace

bool hasMediaExtension(QStringView fileName)
{
    const QStringView extension = extensionOf(fileName);
    return !extension.isEmpty() && mediaExtensions().contains(extension.toString().toUpper());
}

bool isMediaFile(const QString& path)
{
    const QStringView fileName = QStringView(path).mid(path.lastIndexOf(u'/') + 1);
    if (!extensionOf(fileName).isEmpty())
        return hasMediaExtension(fileName);
    static const QMimeDatabase mimeTypes;
    const QMimeType type = mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchContent);
    const QString name = type.name();
    // Playlists are text of an audio type: they are no media of their own.
    return (name.startsWith(QLatin1String("audio/")) || name.startsWith(QLatin1String("video/")))
           && !type.inherits(QStringLiteral("text/plain"));
}

QStringList walkMediaFiles(const QString& folder, const FolderWalkEvents& events)
{
    FolderWalk walk(events);
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {path + QStringLiteral(": ") + systemReason(errno)};
    if (!S_ISDIR(info.st_mode))
        return {path + QStringLiteral(": is not a folder")};
    walk.folder(path, info);
    return walk.problems;
}
