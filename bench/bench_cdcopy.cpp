// Writing a CD set of 40 media files of 5 MB each through the wizard, beside `cp` copying the
// same files to the same file system in the same run.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr int FileCount = 40;
constexpr qint64 FileBytes = 5 * 1024 * 1024;

// The media files and a database naming them; returns the database's path.
QString writeMediaLibrary(const JukeboxFixture& fx, QStringList& media)
{
    QByteArray bytes(FileBytes, '\0');
    for (qint64 i = 0; i < FileBytes; ++i)
        bytes[i] = char((i * 131) ^ (i >> 9));
    QDir(fx.dir.path()).mkdir("media");
    QList<QStringList> records;
    for (int i = 0; i < FileCount; ++i) {
        bytes[0] = char(i);
        media.append(fx.writeFile(QStringLiteral("media/track%1.mp3").arg(i), bytes));
        records.append({QStringLiteral("Artist %1").arg(i % 7), QStringLiteral("Title %1").arg(i), "Rock", media.last()});
    }
    return fx.writeDatabase("Media.VxDatabase", records);
}

// An empty folder at path, whatever was there.
void freshFolder(const QString& path)
{
    QDir(path).removeRecursively();
    if (!QDir().mkpath(path))
        qFatal("cannot make %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    steadyAllocator();
    QApplication app(argc, argv);
    JukeboxFixture fx;
    QStringList media;
    const Library& library = fx.start(writeMediaLibrary(fx, media)).library();
    MainWindow& window = fx.window();
    if (library.recordCount() != FileCount)
        qFatal("the media library did not load");
    const QString target = fx.dir.filePath("target");
    constexpr int runs = 9;

    const double cp = medianMs(
        runs,
        [&] {
            if (QProcess::execute("cp", QStringList(media) << target) != 0)
                qFatal("cp failed");
        },
        [&] { freshFolder(target); });

    const double ours = medianMs(
        runs, [&] { window.wizardNextButton->click(); },
        [&] {
            freshFolder(target);
            if (!window.wizardCancelButton->isHidden())
                window.wizardCancelButton->click(); // Done
            window.createCdAction->trigger();
            for (int n = 1; n <= FileCount; ++n)
                fx.jukebox->playlist().append({libraryEntry(library.table(), n)});
            if (window.playlist->count() != FileCount)
                qFatal("the wizard did not start afresh");
            fx.fileDialog.answers = {target + "/disc"};
        });
    if (!fx.messageBox.shown.isEmpty() || QDir(target + "/mediafiles").count() != FileCount + 2)
        qFatal("the CD set was not written");

    printRatio(QStringLiteral("cd_copy_40x5mb_vs_cp"), ours, cp);
    std::printf("cd_copy_40x5mb throughput_mb_s=%.0f cp_throughput_mb_s=%.0f throughput_ratio=%.2f target>=0.90\n",
                FileCount * 5 / (ours / 1000), FileCount * 5 / (cp / 1000), cp / ours);
    return 0;
}
