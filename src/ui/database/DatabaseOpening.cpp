#include "ui/database/DatabaseOpening.h"

#include "core/Library.h"
#include "core/SharedTexts.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/database/DatabaseSaving.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

namespace {

const QString BrowseOnlyNote = QStringLiteral("The database is open for browsing only: records cannot be added to "
                                              "it, and the file is never written.");

// A window just shown is painted only after the window system has mapped it, and a repaint before
// that is dropped: wait for it, briefly, so the wait notice shows during a long load. Whether the
// window was exposed while waiting: the exposure painted all of it then.
bool waitUntilExposed(QWidget& window)
{
    const QDeadlineTimer deadline(500);
    bool waited = false;
    while (window.windowHandle() && !window.windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        waited = true;
    }
    return waited && window.windowHandle() && window.windowHandle()->isExposed();
}

} // namespace

DatabaseOpening::DatabaseOpening(MainWindow& window, Library& library, LibraryBrowser& browser,
                                 FileDialog& fileDialog, MessageBox& messageBox)
    : QObject(&window), window_(window), library_(library), browser_(browser), fileDialog_(fileDialog),
      messageBox_(messageBox)
{
    connect(window_.openDatabaseAction, &QAction::triggered, this, &DatabaseOpening::openChosenDatabase);
}

void DatabaseOpening::openAtStartUp(const QString& path)
{
    library_.close();
    window_.showWaitNotice(AddingFilesNotice);
    window_.show();
    if (!waitUntilExposed(window_))
        window_.repaint();
    loadAndReport(path);
}

void DatabaseOpening::openChosenDatabase()
{
    const QString chosen =
        fileDialog_.showOpen(&window_, {.filter = DatabaseFilter, .title = QStringLiteral("Open Database")});
    // Changes not yet written would go with the database being closed: the user decides first.
    if (!chosen.isEmpty() && !settlePendingChanges(library_, messageBox_, &window_))
        return;
    window_.showWaitNotice(AddingFilesNotice);
    if (!chosen.isEmpty()) {
        replaceDatabase(chosen);
        return;
    }
    window_.hideWaitNotice();
}

void DatabaseOpening::openDatabase(const QString& path)
{
    if (!settlePendingChanges(library_, messageBox_, &window_))
        return;
    window_.showWaitNotice(AddingFilesNotice);
    replaceDatabase(path);
}

void DatabaseOpening::replaceDatabase(const QString& path)
{
    // The records, and changes the user chose to discard, belonged to the database being closed;
    // entries naming its records keep their files.
    library_.clear();
    browser_.resetLists();
    loadAndReport(path);
}

void DatabaseOpening::loadAndReport(const QString& path)
{
    // The library announces the new records, and the browser lists them.
    const Library::LoadResult result = library_.load(path);
    window_.hideWaitNotice();
    if (!result.opened) {
        reportFailedLoad(path, result);
        return;
    }
    if (result.leftOverLines.isEmpty())
        return;
    QStringList quoted;
    for (const QString& line : result.leftOverLines)
        quoted.append(QLatin1Char('"') + line + QLatin1Char('"'));
    messageBox_.show(&window_,
                     QStringLiteral("The end of %1 holds no whole record; these lines were left out:\n\n%2\n\n"
                                    "The database is open. Adding a record takes them out of the file.")
                         .arg(path, quoted.join(QLatin1Char('\n'))),
                     MessageBox::programTitle());
}

void DatabaseOpening::reportFailedLoad(const QString& path, const Library::LoadResult& result)
{
    if (!result.stoppedAtCapacity && result.problem.isEmpty())
        return;
    QString text;
    if (result.stoppedAtCapacity)
        text = QStringLiteral("%1 holds more records than the library takes: the first %2 records were loaded.\n\n"
                              "%3")
                   .arg(path)
                   .arg(result.recordsLoaded)
                   .arg(BrowseOnlyNote);
    else if (result.recordsLoaded > 0)
        text = QStringLiteral("%1\n\nThe %2 records before it were loaded. %3")
                   .arg(result.problem)
                   .arg(result.recordsLoaded)
                   .arg(BrowseOnlyNote);
    else
        text = result.problem + QStringLiteral("\n\nNothing was loaded.");
    messageBox_.show(&window_, text, QStringLiteral("Error"));
}
