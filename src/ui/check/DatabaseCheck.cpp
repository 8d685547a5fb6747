#include "ui/check/DatabaseCheck.h"

#include "core/Library.h"
#include "core/MissingFiles.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/check/RepaintThrottle.h"
#include "ui/database/DatabaseSaving.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QPushButton>

DatabaseCheck::DatabaseCheck(MainWindow& window, WindowMode& mode, Library& library, LibraryBrowser& browser,
                             MessageBox& messageBox)
    : QObject(&window), window_(window), mode_(mode), library_(library), browser_(browser),
      messageBox_(messageBox)
{
    connect(window_.checkDatabaseAction, &QAction::triggered, this, &DatabaseCheck::start);
    connect(window_.removeAllMissingButton, &QPushButton::clicked, this, &DatabaseCheck::removeAllMissing);
    connect(window_.checkDoneButton, &QPushButton::clicked, this, &DatabaseCheck::finish);
    window_.missingList->setModel(&missingFiles_);
    window_.missingList->setUniformItemSizes(true);
}

void DatabaseCheck::start()
{
    missingFiles_.setStringList({});
    missingRecords_.clear();
    mode_.enter(WindowMode::Checking);
    window_.checkDoneButton->setEnabled(false);
    window_.repaint(); // the panel is seen before the scan starts
    scan();
    if (!missingRecords_.isEmpty())
        window_.removeAllMissingButton->setEnabled(true);
    window_.missingCountCaption->hide();
    window_.missingCount->hide();
    window_.checkDoneButton->setEnabled(true);
    // With nothing listed, Done is all there is to do.
    if (missingRecords_.isEmpty() && window_.missingList->hasFocus())
        mode_.moveFocus(window_.checkDoneButton);
}

void DatabaseCheck::scan()
{
    const LibraryTable& table = library_.table();
    RepaintThrottle throttle;
    // Records often share a file: each distinct file is asked for once.
    QHash<QString, bool> missingByFile;
    for (int n = table.recordCount(); n >= 1; --n) {
        if (throttle.due())
            showProgress(n);
        const QString& file = table.record(n).file;
        auto known = missingByFile.constFind(file);
        if (known == missingByFile.constEnd())
            known = missingByFile.insert(file, isMissingFile(file));
        if (*known) {
            foundFiles_.append(file);
            missingRecords_.append(n);
        }
    }
    if (table.recordCount() > 0)
        showProgress(1); // the final state, however recently the last repaint was
}

void DatabaseCheck::showProgress(int n)
{
    window_.missingCount->setText(QString::number(n));
    window_.missingCount->repaint();
    if (foundFiles_.isEmpty())
        return;
    missingFiles_.setStringList(missingFiles_.stringList() + foundFiles_);
    foundFiles_.clear();
    window_.missingList->repaint();
}

void DatabaseCheck::removeAllMissing()
{
    // The title list stays usable beside the panel until Done rebuilds it; it follows the
    // removal, as the playlist does.
    library_.removeAll(missingRecords_);
    missingRecords_.clear();
    missingFiles_.setStringList({});
    window_.missingList->repaint();
    window_.removeAllMissingButton->setEnabled(false);
    removedRecords_ = true;
}

void DatabaseCheck::finish()
{
    window_.removeAllMissingButton->setEnabled(false);
    mode_.leave();
    // Removals are dropped when another database is opened or created meanwhile.
    if (!library_.needsRewrite())
        removedRecords_ = false;
    if (!removedRecords_)
        return;
    window_.repaint();
    browser_.selectAllGenres();
    browser_.showAllTitles();
    // A failed rewrite leaves the file holding the removed records: the next Done of the check,
    // or of the record editor, tries again.
    if (saveRewrittenDatabase(library_, messageBox_, &window_))
        removedRecords_ = false;
}
