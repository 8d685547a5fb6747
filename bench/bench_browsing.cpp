// Browsing and building a playlist on the 25000-record database: the genre filter on
// "(All genres)" and on one genre, "Show all", and "All to Playlist" of every record; then, for
// comparison, the list control's own cost of taking 25000 entries.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "app/SortedLists.h"
#include "browser/ArtistTitleLists.h"
#include "playlist/PlaylistEditing.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace {

void chooseGenreQuietly(Form1& form, const QString& genre)
{
    const QSignalBlocker block(form.genreFilter);
    form.genreFilter->setCurrentIndex(form.genreFilter->findText(genre));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    JukeboxFixture fixture;
    const QString database = startOnLargeDatabase(fixture);
    Form1& form = *fixture.form;
    const int runs = 15;

    const double baseline = lineSplittingBaselineMs(database);
    chooseGenreQuietly(form, QStringLiteral("(All genres)"));
    printRatio(QStringLiteral("genre_filter_all_genres"),
               medianMs(runs, [&] { form.lists->Combo1_Click(); }), baseline);

    chooseGenreQuietly(form, QStringLiteral("Genre 7"));
    printRatio(QStringLiteral("genre_filter_one_genre"),
               medianMs(runs, [&] { form.lists->Combo1_Click(); }), baseline);

    chooseGenreQuietly(form, QStringLiteral("(All genres)"));
    printRatio(QStringLiteral("show_all"), medianMs(runs, [&] { form.lists->Command12_Click(); }), baseline);

    printRatio(QStringLiteral("all_to_playlist"),
               medianMs(runs, [&] { form.editing->Command6_Click(); }, [&] { emptyList(form.playlist); }),
               baseline);
    if (form.playlist->count() != 25000)
        qFatal("All to Playlist added %d entries", int(form.playlist->count()));

    // For comparison, what the list control alone costs: 25000 ready-made entries put into the
    // hidden playlist, without building or sorting anything.
    const QStringList entries = JukeboxFixture::texts(form.playlist);
    form.playlist->hide();
    printRatio(QStringLiteral("list_control_fill_25000"),
               medianMs(runs, [&] { form.playlist->addItems(entries); }, [&] { emptyList(form.playlist); }), baseline);
    return 0;
}
