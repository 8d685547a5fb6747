#include "ui/window/WindowMode.h"

#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

WindowMode::WindowMode(MainWindow& window) : QObject(&window), window_(window) {}

WindowMode::Controls WindowMode::controlsOf(Mode mode) const
{
    const MainWindow& w = window_;
    switch (mode) {
    case Editing:
        return {{w.editDatabaseAction, w.newDatabaseAction, w.checkDatabaseAction, w.openDatabaseAction,
                 w.openPlaylistAction, w.savePlaylistAction, w.createCdAction},
                {w.genreField, w.doneEditingButton, w.removeRecordButton, w.addRecordButton},
                {w.allToPlaylistButton}};
    case Checking:
        return {{w.openDatabaseAction, w.newDatabaseAction, w.editDatabaseAction, w.createCdAction,
                 w.importFolderAction},
                {w.checkPanel, w.missingList, w.checkDoneButton, w.removeAllMissingButton, w.missingCountCaption,
                 w.missingCount},
                {}};
    case CdWizard:
        return {{w.openDatabaseAction, w.openPlaylistAction, w.saveDatabaseAction, w.savePlaylistAction,
                 w.newDatabaseAction, w.editDatabaseAction, w.checkDatabaseAction, w.addFilesAction,
                 w.dropBoxAction, w.shufflePlaylistAction, w.addUrlAction, w.aboutAction, w.createCdAction,
                 w.addFolderAction, w.importFolderAction},
                {w.wizardNextButton, w.wizardCancelButton},
                {}};
    case Normal: break;
    }
    return {};
}

void WindowMode::enter(Mode mode)
{
    Q_ASSERT(mode_ == Normal && mode != Normal);
    const Controls controls = controlsOf(mode);
    for (QAction* item : controls.disabledItems)
        item->setEnabled(false);
    for (QWidget* control : controls.shown) {
        control->show();
        control->raise();
    }
    for (QWidget* control : controls.hidden)
        control->hide();
    mode_ = mode;
    emit changed(mode_);
}

void WindowMode::leave()
{
    const Controls controls = controlsOf(mode_);
    for (QWidget* control : controls.shown)
        control->hide();
    for (QWidget* control : controls.hidden)
        control->show();
    for (QAction* item : controls.disabledItems)
        item->setEnabled(true);
    mode_ = Normal;
    emit changed(mode_);
}
