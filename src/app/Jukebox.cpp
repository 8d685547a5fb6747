#include "app/Jukebox.h"

#include "app/HelpPage.h"
#include "app/RequestedFiles.h"
#include "app/StartUp.h"
#include "core/FileWriting.h"
#include "core/Library.h"
#include "core/Playlist.h"
#include "player/MediaPlayer.h"
#include "ui/about/AboutWindow.h"
#include "ui/browser/EntryFields.h"
#include "ui/browser/LibraryAddRequests.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/check/DatabaseCheck.h"
#include "ui/database/DatabaseOpening.h"
#include "ui/database/DatabaseSaving.h"
#include "ui/editor/RecordEditor.h"
#include "ui/import/FolderImport.h"
#include "ui/mpris/RemoteControl.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playback/SeekAndVolume.h"
#include "ui/playback/TransportKeys.h"
#include "ui/playlist/DropBox.h"
#include "ui/playlist/ExternalDrops.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/playlist/PlaylistFiles.h"
#include "ui/playlist/PlaylistShuffle.h"
#include "ui/search/SearchDialog.h"
#include "ui/seams/Seams.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

Jukebox::Jukebox(const Seams& seams)
    : seams_(seams), library_(std::make_unique<Library>()), playlist_(std::make_unique<Playlist>()),
      window_(std::make_unique<MainWindow>(seams.player.videoWidget()))
{
    MainWindow& w = *window_;
    // A file-size limit makes a write fail, and the user is told, instead of ending the program.
    surviveFileSizeLimit();
    // The order of making is the order in which the features see the window's events: a
    // control's event filters run from the one installed last.
    mode_ = new WindowMode(w);
    about_ = new AboutWindow(w);
    browser_ = new LibraryBrowser(w, *library_, *mode_);
    libraryDrag_ = new LibraryDrag(w, seams.dragLoop);
    libraryAddRequests_ = new LibraryAddRequests(w);
    databaseOpening_ = new DatabaseOpening(w, *library_, *browser_, seams.fileDialog, seams.messageBox);
    Playlist& playlist = *playlist_;
    playlistEditor_ = new PlaylistEditor(w, playlist, *library_, *browser_, seams.fileDialog, seams.messageBox);
    playerControl_ = new PlayerControl(w, playlist, seams.player, *library_, *mode_, seams.messageBox);
    new TransportKeys(w, *playerControl_);
    seekAndVolume_ = new SeekAndVolume(w, seams.player);
    playlistFiles_ = new PlaylistFiles(w, playlist, *library_, seams.fileDialog, seams.messageBox);
    shuffle_ = new PlaylistShuffle(w, playlist, seams.random);
    drops_ = new ExternalDrops(w, playlist, seams.messageBox);
    dropBox_ = new DropBox(w, *drops_);
    editor_ = new RecordEditor(w, *mode_, *library_, playlist, *browser_, seams.fileDialog, seams.messageBox,
                               seams.tags);
    new EntryFields(w, *browser_);
    search_ = new SearchDialog(w, *browser_, seams.messageBox);
    check_ = new DatabaseCheck(w, *mode_, *library_, *browser_, seams.messageBox);
    cdWizard_ = new CdWizard(w, *mode_, *library_, playlist, seams.fileDialog, seams.messageBox);
    folderImport_ = new FolderImport(w, *mode_, *library_, *browser_, seams.fileDialog, seams.messageBox, seams.tags);
    remoteControl_ = new RemoteControl(&w, *playerControl_, seams.player, *library_);
    requestedFiles_ = new RequestedFiles(
        w, {*mode_, *databaseOpening_, *playlistFiles_, *drops_, *playerControl_, seams.messageBox, *playlist_});
    wire();
}

Jukebox::~Jukebox()
{
    // The features go with the window, while the library they refer to is still there.
    window_.reset();
}

void Jukebox::wire()
{
    MainWindow& w = *window_;

    // Records about to leave the library: the entries that name them by number follow; records
    // loaded from a file are listed.
    connect(library_.get(), &Library::aboutToRemoveRecords, playlistEditor_, &PlaylistEditor::followRecordRemoval);
    connect(library_.get(), &Library::aboutToRemoveRecords, browser_, &LibraryBrowser::followRecordRemoval);
    connect(library_.get(), &Library::aboutToClear, playlistEditor_, &PlaylistEditor::detachFromLibrary);
    connect(library_.get(), &Library::recordsLoaded, browser_, &LibraryBrowser::listRecordsFrom);

    // Editing records.
    connect(browser_, &LibraryBrowser::removableChosen, editor_, &RecordEditor::allowRemove);
    connect(editor_, &RecordEditor::openEntryRequested, playerControl_, &PlayerControl::openEntry);
    connect(playerControl_, &PlayerControl::entryChosen, editor_, &RecordEditor::takeUpChosenEntry);

    // The playlist changed: the transport area and the CD wizard's size count follow.
    connect(playlistEditor_, &PlaylistEditor::recordsAppended, cdWizard_, &CdWizard::countAppendedRecords);
    connect(playlistEditor_, &PlaylistEditor::entryRemoving, cdWizard_, &CdWizard::countRemovedEntry);
    connect(playlistEditor_, &PlaylistEditor::cleared, playerControl_, &PlayerControl::forgetPosition);
    connect(playlistEditor_, &PlaylistEditor::cleared, cdWizard_, &CdWizard::resetSelection);
    connect(playlistEditor_, &PlaylistEditor::titleDropped, playerControl_, &PlayerControl::updateEntryCounter);
    // Enter, a double-click or the context menu on a library row adds what its drop would.
    connect(libraryAddRequests_, &LibraryAddRequests::addRequested, playlistEditor_, &PlaylistEditor::dropOntoPlaylist);
    connect(playlistFiles_, &PlaylistFiles::playlistOpened, playerControl_, &PlayerControl::updateEntryCounter);
    connect(drops_, &ExternalDrops::filesDropped, playerControl_, &PlayerControl::updateEntryCounter);

    // The window's own menu items, the status ticks and the end.
    connect(w.helpAction, &QAction::triggered, this, [this] { seams_.shell.openDocument(helpPageLocation(seams_.helpFolders)); });
    connect(w.aboutAction, &QAction::triggered, about_, &AboutWindow::showOverPlayer);
    connect(playerControl_, &PlayerControl::entryOpening, about_, [this] {
        if (about_->isVisible())
            about_->hide();
    });
    connect(w.exitAction, &QAction::triggered, &w, &QWidget::close);
    w.installEventFilter(this);
    connect(&w, &MainWindow::closing, this, &Jukebox::shutDown);
    connect(w.statusTimer, &QTimer::timeout, this, &Jukebox::updateStatus);
    followStatusChanges();

    // The desktop's media keys and widgets: they learn what was opened, raise the window, and
    // quit as closing the window does (after the bus has had its answer).
    connect(playerControl_, &PlayerControl::entryOpened, remoteControl_, &RemoteControl::followOpenedEntry);
    connect(remoteControl_, &RemoteControl::raiseRequested, this, &Jukebox::raiseWindow);
    remoteControl_->setAddressOpener([this](const QString& address) { return requestedFiles_->openAddress(address); });
    connect(remoteControl_, &RemoteControl::quitRequested, &w, &QWidget::close, Qt::QueuedConnection);
    // A later start of the program handed its files over: the window comes up.
    connect(requestedFiles_, &RequestedFiles::raiseRequested, this, &Jukebox::raiseWindow);
}

void Jukebox::start(const QStringList& files, QSize screenSize)
{
    playerControl_->probePlayer();

    window_->adjustSize();
    window_->move(startupPosition(screenSize, window_->frameGeometry().size()));

    // The credit line's caption is the version.
    const QString name = QStringLiteral("Vexolin ") + window_->creditLine->text();
    window_->creditLine->setText(name + QStringLiteral("   -   a media jukebox, first written in 1999 by the Vexolin team"));
    window_->setWindowTitle(name);
    about_->setTitleText(name);

    // "(All genres)", chosen, runs the genre filter once on the empty library.
    browser_->resetLists();

    requestedFiles_->openAtStartUp(files);
    statusChanged();
}

void Jukebox::updateStatus()
{
    statusDue_->stop();
    playerControl_->followPlayState();
    editor_->updateRemoveButton();
    cdWizard_->updateStatusLine();
    playerControl_->carryOutOpenRequest();
    editor_->updateAddButton();
    playerControl_->showPlayTimes();
    seekAndVolume_->showPosition();
    remoteControl_->announceChanges();
    tickWhilePlaying();
}

void Jukebox::statusChanged()
{
    if (!statusDue_->isActive())
        statusDue_->start();
}

void Jukebox::tickWhilePlaying()
{
    // A stopped or paused player shows nothing new by itself: the ticks rest until a change.
    const int state = seams_.player.state();
    QTimer* ticks = window_->statusTimer;
    if (state == MediaPlayer::Stopped || state == MediaPlayer::Paused)
        ticks->stop();
    else if (!ticks->isActive())
        ticks->start();
}

void Jukebox::followStatusChanges()
{
    // One tick soon after any number of changes, at the event loop's next turn.
    statusDue_ = new QTimer(this);
    statusDue_->setSingleShot(true);
    statusDue_->setInterval(0);
    connect(statusDue_, &QTimer::timeout, this, &Jukebox::updateStatus);

    MainWindow& w = *window_;
    // The play and pause buttons, the clocks, and what the desktop's media widgets hear.
    MediaPlayer& player = seams_.player;
    for (auto signal : {&MediaPlayer::newStream, &MediaPlayer::error, &MediaPlayer::ready})
        connect(&player, signal, this, &Jukebox::statusChanged);
    connect(&player, &MediaPlayer::stateChanged, this, &Jukebox::statusChanged);
    connect(&player, &MediaPlayer::endOfStream, this, &Jukebox::statusChanged);
    connect(&player, &MediaPlayer::seeked, this, &Jukebox::statusChanged);
    // Previous and next entry asked for, transport actions available or not.
    connect(playerControl_, &PlayerControl::transportChanged, this, &Jukebox::statusChanged);
    // The counts of the status line, and the CD wizard's selection in its place.
    for (QAbstractItemModel* model : {w.artistList->model(), w.titleList->model(), w.playlist->model()}) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &Jukebox::statusChanged);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &Jukebox::statusChanged);
        connect(model, &QAbstractItemModel::modelReset, this, &Jukebox::statusChanged);
    }
    connect(cdWizard_, &CdWizard::stepChanged, this, &Jukebox::statusChanged);
    connect(mode_, &WindowMode::changed, this, &Jukebox::statusChanged);
    // The record editor's Remove (an artist or a title chosen) and Add (every field filled).
    for (ListBox* list : {w.artistList, w.titleList})
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &Jukebox::statusChanged);
    for (QLineEdit* field : {w.artistField, w.titleField, w.genreField})
        connect(field, &QLineEdit::textChanged, this, &Jukebox::statusChanged);
}

void Jukebox::raiseWindow()
{
    MainWindow& w = *window_;
    w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
    w.show();
    w.raise();
    w.activateWindow();
}

bool Jukebox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_.get() && event->type() == QEvent::Close && !mayClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool Jukebox::mayClose()
{
    if (mode_->isEditing())
        editor_->finishEditing();
    return settlePendingChanges(*library_, seams_.messageBox, window_.get());
}

void Jukebox::shutDown()
{
    library_->close();
    about_->hide();
}
