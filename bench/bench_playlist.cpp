// Shuffling a full playlist, and saving and opening a playlist of a whole library, each beside
// the time to read and split the library's database file.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "ui/playlist/PlaylistFiles.h"
#include "ui/playlist/PlaylistShuffle.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/SortedLists.h"

#include <QApplication>

namespace {

void fillWithLibraryEntries(const Jukebox& jukebox, int count)
{
    const LibraryTable& table = jukebox.library().table();
    QList<PlaylistEntry> entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i)
        entries.append(libraryEntry(table, 1 + i % table.recordCount()));
    jukebox.playlist().replaceAll(entries);
}

} // namespace

int main(int argc, char** argv)
{
    steadyAllocator();
    QApplication app(argc, argv);
    JukeboxFixture fx;
    const QString database = writeLargeDatabase(fx.dir.path());
    const double baseline = lineSplittingBaselineMs(database);
    Jukebox& jukebox = fx.start(database);
    ListBox* playlist = fx.window().playlist;
    if (jukebox.library().recordCount() != 25000)
        qFatal("the benchmark database did not load");

    fillWithLibraryEntries(jukebox, PlaylistCapacity);
    printRatio(QStringLiteral("playlist_shuffle_32767"), medianMs(7, [&] { jukebox.shuffle().shuffle(); }),
               baseline);

    fillWithLibraryEntries(jukebox, 25000);
    const QString playlistFile = fx.dir.filePath(QStringLiteral("Large.vxplaylist"));
    const double save = medianMs(7, [&] { jukebox.playlistFiles().savePlaylist(); },
                                 [&] { fx.fileDialog.answers = {playlistFile}; });
    if (!fx.messageBox.shown.isEmpty())
        qFatal("saving the playlist failed");
    printRatio(QStringLiteral("playlist_save_25000"), save, baseline);

    const double open = medianMs(7, [&] { jukebox.playlistFiles().openPlaylist(); }, [&] {
        jukebox.playlist().clear();
        fx.fileDialog.answers = {playlistFile};
    });
    if (playlist->count() != 25000)
        qFatal("opening the playlist read %d entries", playlist->count());
    printRatio(QStringLiteral("playlist_open_25000"), open, baseline);
    return 0;
}
