#include "ui/window/WindowMode.h"

#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

WindowMode::WindowMode(MainWindow& window)
    : QObject(&window), window_(window), escapeKey_(new QShortcut(QKeySequence(Qt::Key_Escape), &window))
{
    escapeKey_->setObjectName(QStringLiteral("leaveModeShortcut"));
    escapeKey_->setEnabled(false);
    connect(escapeKey_, &QShortcut::activated, this, &WindowMode::escape);
}

WindowMode::Controls WindowMode::controlsOf(Mode mode) const
{
    const MainWindow& w = window_;
    switch (mode) {
    case Editing:
        return {{w.editDatabaseAction, w.newDatabaseAction, w.checkDatabaseAction, w.openDatabaseAction,
                 w.openPlaylistAction, w.savePlaylistAction, w.createCdAction},
                {w.genreField, w.doneEditingButton, w.removeRecordButton, w.addRecordButton},
                {w.allToPlaylistButton},
                w.genreField};
    case Checking:
        return {{w.openDatabaseAction, w.newDatabaseAction, w.editDatabaseAction, w.createCdAction,
                 w.importFolderAction},
                {w.checkPanel, w.missingList, w.checkDoneButton, w.removeAllMissingButton, w.missingCountCaption,
                 w.missingCount},
                {},
                w.missingList,
                w.checkCaption};
    case CdWizard:
        return {{w.openDatabaseAction, w.openPlaylistAction, w.saveDatabaseAction, w.savePlaylistAction,
                 w.newDatabaseAction, w.editDatabaseAction, w.checkDatabaseAction, w.addFilesAction,
                 w.dropBoxAction, w.shufflePlaylistAction, w.addUrlAction, w.aboutAction, w.createCdAction,
                 w.addFolderAction, w.importFolderAction},
                {w.wizardNextButton, w.wizardCancelButton},
                {},
                w.wizardNextButton,
                w.playerNotice};
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
    escapeKey_->setEnabled(mode == Checking || mode == CdWizard);
    focusFirstControl(controls);
    emit changed(mode_);
}

void WindowMode::focusFirstControl(const Controls& controls)
{
    focusBefore_ = QApplication::focusWidget();
    describe(controls.firstControl, controls);
    controls.firstControl->setFocus(Qt::OtherFocusReason);
}

void WindowMode::moveFocus(QWidget* control)
{
    undescribe();
    describe(control, controlsOf(mode_));
    control->setFocus(Qt::OtherFocusReason);
}

void WindowMode::describe(QWidget* control, const Controls& controls)
{
    if (!controls.text)
        return;
    described_ = control;
    describedOwn_ = control->accessibleDescription();
    control->setAccessibleDescription(controls.text->text());
}

void WindowMode::undescribe()
{
    if (described_)
        described_->setAccessibleDescription(describedOwn_);
    described_ = nullptr;
}

void WindowMode::escape()
{
    QPushButton* close = mode_ == Checking ? window_.checkDoneButton : mode_ == CdWizard ? window_.wizardCancelButton : nullptr;
    if (close && close->isEnabled())
        close->click();
}

void WindowMode::leave()
{
    const Controls controls = controlsOf(mode_);
    undescribe();
    for (QWidget* control : controls.shown)
        control->hide();
    for (QWidget* control : controls.hidden)
        control->show();
    for (QAction* item : controls.disabledItems)
        item->setEnabled(true);
    if (focusBefore_ && focusBefore_->isVisible() && focusBefore_->isEnabled())
        focusBefore_->setFocus(Qt::OtherFocusReason);
    focusBefore_ = nullptr;
    escapeKey_->setEnabled(false);
    mode_ = Normal;
    emit changed(mode_);
}
