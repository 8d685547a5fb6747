// Editing the 25000-record database: one type-ahead keystroke in the title field over every
// title (a keystroke that matches nothing scans the whole list), and Remove of an artist with
// 50 titles.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "core/DatabaseFormat.h"
#include "core/Library.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/editor/RecordEditor.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

const QString BenchArtist = QStringLiteral("Bench Artist");

// The bytes of the table with 50 records spread over it given one new artist.
QByteArray withArtistOf50Titles(const LibraryTable& table)
{
    QByteArray bytes;
    for (int n = 1; n <= table.recordCount(); ++n) {
        LibraryRecord record = table.record(n);
        if (n % 500 == 250) {
            record.artist = BenchArtist;
            record.forgetStoredLines(); // written from its fields now
        }
        bytes += formatRecord(record);
    }
    return bytes;
}

// The database at path, freshly written, open and being edited, with the artist of 50 titles
// chosen.
// The artist list's row of the benchmark artist; -1 when it is not listed.
int artistRow(const MainWindow& window)
{
    for (int row = 0; row < window.artistList->count(); ++row)
        if (window.artistList->text(row).startsWith(BenchArtist))
            return row;
    return -1;
}

void chooseBenchArtistWhileEditing(JukeboxFixture& fixture, const QString& path, const QByteArray& bytes)
{
    Jukebox& jukebox = *fixture.jukebox;
    MainWindow& window = fixture.window();
    if (jukebox.mode().isEditing())
        jukebox.editor().finishEditing();
    fixture.writeFile(QFileInfo(path).fileName(), bytes);
    fixture.fileDialog.answers = {path};
    window.openDatabaseAction->trigger();
    jukebox.editor().startEditing();
    const int found = artistRow(window);
    if (found < 0)
        qFatal("the benchmark artist is not listed");
    window.artistList->setCurrentRow(found);
    if (window.titleList->count() != 50)
        qFatal("the benchmark artist lists %d titles", int(window.titleList->count()));
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
    const double baseline = lineSplittingBaselineMs(database);

    jukebox.browser().showAllTitles(); // every title
    if (window.titleList->count() != 25000)
        qFatal("Show all listed %d titles", int(window.titleList->count()));
    // Typing the prefix (untimed) leaves a title chosen; taking the choice back quietly makes the
    // next keystroke scan the whole list from the top.
    const QString typed = QStringLiteral("Title 9");
    auto typePrefix = [&] {
        window.titleField->setText(typed);
        const QSignalBlocker blockList(window.titleList);
        window.titleList->setCurrentRow(-1);
    };
    printRatio(QStringLiteral("type_ahead_title_keystroke_25000"),
               medianMs(31, [&] { window.titleField->setText(typed + QLatin1Char('x')); }, typePrefix), baseline);
    if (window.titleList->currentRow() != -1)
        qFatal("the keystroke matched a title");

    const QByteArray edited = withArtistOf50Titles(jukebox.library().table());
    const QString editedPath = fixture.dir.filePath(QStringLiteral("Edited.VxDatabase"));
    printRatio(QStringLiteral("remove_artist_50_titles_of_25000"),
               medianMs(7, [&] { jukebox.editor().removeChosen(); },
                        [&] { chooseBenchArtistWhileEditing(fixture, editedPath, edited); }),
               baseline);
    if (jukebox.library().recordCount() != 24950 || artistRow(window) >= 0)
        qFatal("Remove left %d records", jukebox.library().recordCount());
    return 0;
}
