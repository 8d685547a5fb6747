#include "library/DatabaseLoader.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "app/TextCase.h"
#include "browser/ArtistTitleLists.h"
#include "library/DatabaseFormat.h"
#include "library/RecordCode.h"
#include "library/TextLines.h"
#include "playlist/RecordRemoval.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QListWidget>
#include <QWindow>

namespace {
const QString WaitNotice = QStringLiteral("Adding files, please wait...");
} // namespace

DatabaseLoader::DatabaseLoader(Form1& form) : form_(form)
{
    QObject::connect(form_.OpenDatabase, &QAction::triggered, &form_, [this] { OpenDatabase_Click(); });
}

bool DatabaseLoader::LoadDatabase(const QString& path)
{
    QByteArray data;
    const bool readable = readWholeFile(path, data);
    DatabaseContents contents = parseDatabase(data, path);

    // Artists are distinct ignoring case, as stored (40 characters); genres trimmed. The first
    // spelling met wins; the lists' own entries count as met.
    UpperCaseSet artistsSeen;
    for (int i = 0; i < form_.List1->count(); ++i)
        artistsSeen.insert(trimTrailingBlanks(form_.List1->item(i)->text()));
    UpperCaseSet genresSeen;
    for (int i = 0; i < form_.Combo1->count(); ++i)
        genresSeen.insert(trimBlanks(form_.Combo1->itemText(i)));

    QStringList newArtists, newGenres, newTitles;
    newTitles.reserve(qsizetype(contents.records.size()));
    LibraryTable& table = form_.library;
    table.reserve(table.RecordCount() + int(contents.records.size()));
    for (LibraryRecord& record : contents.records) {
        if (!table.append(std::move(record))) {
            contents.complete = false;
            break;
        }
        const int n = table.RecordCount();
        const LibraryRecord& stored = table.record(n);
        // Padded texts compare equal exactly when their unpadded forms do.
        if (artistsSeen.insert(stored.Artist))
            newArtists.append(table.Artist(n));
        const QStringView genre = trimBlanks(stored.Genre);
        if (genresSeen.insert(genre))
            newGenres.append(genre.toString());
        newTitles.append(codedEntry(trimBlanks(stored.Title), n));
    }
    addAllSorted(form_.List1, std::move(newArtists));
    addAllSorted(form_.List2, std::move(newTitles));
    addAllSorted(form_.Combo1, std::move(newGenres));

    // A failed load leaves no database open, so nothing can later rewrite a file from this table.
    form_.database.close();
    if (!readable || !contents.complete)
        return false;
    return form_.database.openForAppend(path);
}

namespace {

// A window just shown is painted only after the window system has mapped it, and a repaint before
// that is dropped: wait for it, briefly, so the wait notice shows during a long load.
void waitUntilExposed(QWidget& window)
{
    const QDeadlineTimer deadline(500);
    while (window.windowHandle() && !window.windowHandle()->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

} // namespace

void DatabaseLoader::loadAtStartUp(const QString& path)
{
    form_.database.close();
    form_.beginWait(WaitNotice);
    form_.show();
    waitUntilExposed(form_);
    form_.repaint();
    LoadDatabase(path);
    form_.endWait();
    form_.CheckTeller();
}

void DatabaseLoader::OpenDatabase_Click()
{
    FileDialog& dialog = form_.fileDialog();
    dialog.filter = DatabaseFilter;
    dialog.title = QStringLiteral("Open Database");
    dialog.fileName.clear();
    const QString chosen = dialog.showOpen(&form_);
    form_.beginWait(WaitNotice);
    if (!chosen.isEmpty()) {
        form_.database.close();
        // Removals still waiting for a rewrite belonged to the database being closed.
        form_.DatabaseChanged = false;
        detachFromLibrary(form_.List3, form_.library);
        form_.library.clear();
        emptyList(form_.List1);
        emptyList(form_.List2);
        emptyList(form_.Combo1);
        form_.Combo1->addItem(AllGenres);
        if (form_.Combo1->currentIndex() != 0)
            form_.Combo1->setCurrentIndex(0);
        LoadDatabase(chosen);
    }
    form_.endWait();
}
