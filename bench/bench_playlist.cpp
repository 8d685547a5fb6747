// Shuffling a full playlist, and saving and opening a playlist of a whole library, each beside
// the time to read and split the library's database file.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "app/SortedLists.h"
#include "core/PlaylistEntry.h"
#include "playlist/PlaylistFiles.h"
#include "playlist/Shuffle.h"

#include <QApplication>
#include <QListWidget>

namespace {

void fillWithLibraryEntries(Form1& form, int count)
{
    QStringList entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i)
        entries.append(libraryEntry(form.library, 1 + i % form.library.recordCount()));
    emptyList(form.playlist);
    form.playlist->addItems(entries);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    JukeboxFixture fx;
    const QString database = writeLargeDatabase(fx.dir.path());
    const double baseline = lineSplittingBaselineMs(database);
    Form1& form = fx.start(database);
    if (form.library.recordCount() != 25000)
        qFatal("the benchmark database did not load");

    fillWithLibraryEntries(form, PlaylistCapacity);
    printRatio(QStringLiteral("playlist_shuffle_32767"), medianMs(7, [&] { form.shuffle->RandomPlaylist_Click(); }),
               baseline);

    fillWithLibraryEntries(form, 25000);
    const QString playlist = fx.dir.filePath(QStringLiteral("Large.vxplaylist"));
    const double save = medianMs(7, [&] { form.playlistFiles->SavePlaylist_Click(); },
                                 [&] { fx.fileDialog.answers = {playlist}; });
    if (!fx.messageBox.shown.isEmpty())
        qFatal("saving the playlist failed");
    printRatio(QStringLiteral("playlist_save_25000"), save, baseline);

    const double open = medianMs(7, [&] { form.playlistFiles->OpenPlaylist_Click(); }, [&] {
        emptyList(form.playlist);
        fx.fileDialog.answers = {playlist};
    });
    if (form.playlist->count() != 25000)
        qFatal("opening the playlist read %d entries", form.playlist->count());
    printRatio(QStringLiteral("playlist_open_25000"), open, baseline);
    return 0;
}
