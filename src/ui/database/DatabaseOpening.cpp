#include "ui/database/DatabaseOpening.h"

#include "core/Library.h"
#include "core/SharedTexts.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWindow>

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

DatabaseOpening::DatabaseOpening(MainWindow& window, Library& library, LibraryBrowser& browser,
                                 FileDialog& fileDialog)
    : QObject(&window), window_(window), library_(library), browser_(browser), fileDialog_(fileDialog)
{
    connect(window_.openDatabaseAction, &QAction::triggered, this, &DatabaseOpening::openChosenDatabase);
}

void DatabaseOpening::openAtStartUp(const QString& path)
{
    library_.close();
    window_.showWaitNotice(AddingFilesNotice);
    window_.show();
    waitUntilExposed(window_);
    window_.repaint();
    library_.load(path); // the library announces the new records, and the browser lists them
    window_.hideWaitNotice();
}

void DatabaseOpening::openChosenDatabase()
{
    const QString chosen =
        fileDialog_.showOpen(&window_, {.filter = DatabaseFilter, .title = QStringLiteral("Open Database")});
    window_.showWaitNotice(AddingFilesNotice);
    if (!chosen.isEmpty()) {
        // The records, and removals still waiting for a rewrite, belonged to the database being
        // closed; entries naming its records keep their files.
        library_.clear();
        browser_.resetLists();
        library_.load(chosen);
    }
    window_.hideWaitNotice();
}
