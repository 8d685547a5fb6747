// Editing the 25000-record database: one type-ahead keystroke in the title field over every
// title (a keystroke that matches nothing scans the whole list), and Remove of an artist with
// 50 titles.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "browser/ArtistTitleLists.h"
#include "editor/EntryFields.h"
#include "editor/RecordEditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString BenchArtist = QStringLiteral("Bench Artist");

// Gives 50 records spread over the table one new artist.
void makeArtistWith50Titles(LibraryTable& table)
{
    for (int n = 1; n <= 50; ++n)
        table.record(n * 500 - 250).artist = BenchArtist;
}

// Edit mode on the given table, with the artist of 50 titles selected.
void selectBenchArtistInEditMode(Form1& form, const LibraryTable& table)
{
    form.DatabaseChanged = false;
    if (form.inEditMode())
        form.editor->Command9_Click();
    form.library = table;
    form.lists->Combo1_Click();
    form.editor->EditVexolin_Click();
    const QList<QListWidgetItem*> found = form.artistList->findItems(BenchArtist, Qt::MatchStartsWith);
    if (found.size() != 1)
        qFatal("the benchmark artist is not listed");
    form.artistList->setCurrentItem(found.first());
    if (form.titleList->count() != 50)
        qFatal("the benchmark artist lists %d titles", int(form.titleList->count()));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    JukeboxFixture fixture;
    const QString database = startOnLargeDatabase(fixture);
    Form1& form = *fixture.form;
    const double baseline = lineSplittingBaselineMs(database);

    form.lists->Command12_Click(); // every title
    if (form.titleList->count() != 25000)
        qFatal("Show all listed %d titles", int(form.titleList->count()));
    const QString typed = QStringLiteral("Title 9");
    auto quietlyType = [&](const QString& text) {
        const QSignalBlocker block(form.titleField);
        form.titleField->setText(text);
        form.fields->LastTitleText = text;
        const QSignalBlocker blockList(form.titleList);
        form.titleList->setCurrentRow(-1);
    };
    printRatio(QStringLiteral("type_ahead_title_keystroke_25000"),
               medianMs(31, [&] { form.titleField->setText(typed + QLatin1Char('x')); }, [&] { quietlyType(typed); }),
               baseline);
    if (form.titleList->currentRow() != -1)
        qFatal("the keystroke matched a title");

    LibraryTable table = form.library;
    makeArtistWith50Titles(table);
    printRatio(QStringLiteral("remove_artist_50_titles_of_25000"),
               medianMs(7, [&] { form.editor->Command10_Click(); },
                        [&] { selectBenchArtistInEditMode(form, table); }),
               baseline);
    if (form.library.recordCount() != 24950 || !form.artistList->findItems(BenchArtist, Qt::MatchStartsWith).isEmpty())
        qFatal("Remove left %d records", form.library.recordCount());
    form.DatabaseChanged = false;
    return 0;
}
