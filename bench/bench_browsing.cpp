// Browsing and building a playlist on the 25000-record database: the genre filter on
// "(All genres)" and on one genre, "Show all", and "All to Playlist" of every record; then, for
// comparison, the list control's own cost of taking 25000 entries.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "core/SharedTexts.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/playlist/PlaylistEditor.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/SortedLists.h"

#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>

namespace {

// Leaves the genre filter without a choice, quietly, so that choosing a genre next runs the filter.
void unchooseGenre(MainWindow& window)
{
    const QSignalBlocker block(window.genreFilter);
    window.genreFilter->setCurrentIndex(-1);
}

void chooseGenre(MainWindow& window, const QString& genre)
{
    window.genreFilter->setCurrentIndex(window.genreFilter->findText(genre));
}

} // namespace

int main(int argc, char** argv)
{
    steadyAllocator();
    QApplication app(argc, argv);
    JukeboxFixture fixture;
    const QString database = startOnLargeDatabase(fixture);
    Jukebox& jukebox = *fixture.jukebox;
    MainWindow& window = fixture.window();
    const int runs = 15;

    const double baseline = lineSplittingBaselineMs(database);
    printRatio(QStringLiteral("genre_filter_all_genres"),
               medianMs(runs, [&] { chooseGenre(window, AllGenres); }, [&] { unchooseGenre(window); }), baseline);

    printRatio(QStringLiteral("genre_filter_one_genre"),
               medianMs(runs, [&] { chooseGenre(window, QStringLiteral("Genre 7")); }, [&] { unchooseGenre(window); }),
               baseline);

    chooseGenre(window, AllGenres);
    printRatio(QStringLiteral("show_all"), medianMs(runs, [&] { jukebox.browser().showAllTitles(); }), baseline);

    printRatio(QStringLiteral("all_to_playlist"),
               medianMs(runs, [&] { jukebox.playlistEditor().addAllOfGenre(); }, [&] { jukebox.playlist().clear(); }),
               baseline);
    if (window.playlist->count() != 25000)
        qFatal("All to Playlist added %d entries", int(window.playlist->count()));

    // For comparison, what the list control alone costs: 25000 ready-made entries put into the
    // hidden playlist, without building or sorting anything.
    const QList<PlaylistEntry> entries = jukebox.playlist().entries();
    window.playlist->hide();
    printRatio(QStringLiteral("list_control_fill_25000"),
               medianMs(runs, [&] { jukebox.playlist().append(entries); }, [&] { jukebox.playlist().clear(); }),
               baseline);
    return 0;
}
