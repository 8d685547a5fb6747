#include "ui/playlist/PlaylistEditor.h"

#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"
#include "core/RecordRenumbering.h"
#include "core/SharedTexts.h"
#include "core/StorableNames.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/playlist/AddUrlWindow.h"
#include "ui/playlist/LeftOutNotice.h"
#include "ui/seams/Seams.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/PlaylistItems.h"
#include "ui/window/SortedLists.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

PlaylistEditor::PlaylistEditor(MainWindow& window, const Library& library, const LibraryBrowser& browser,
                               FileDialog& fileDialog, MessageBox& messageBox)
    : QObject(&window), window_(window), library_(library), browser_(browser), fileDialog_(fileDialog),
      messageBox_(messageBox)
{
    connect(window_.addFilesAction, &QAction::triggered, this, &PlaylistEditor::addFiles);
    connect(window_.addUrlAction, &QAction::triggered, this, &PlaylistEditor::showAddUrlWindow);
    connect(window_.removeAction, &QAction::triggered, this, &PlaylistEditor::removeSelected);
    connect(window_.clearPlaylistAction, &QAction::triggered, this, &PlaylistEditor::clear);
    connect(window_.allToPlaylistButton, &QPushButton::clicked, this, &PlaylistEditor::addAllOfGenre);
    // Entries are single lines in one fixed-pitch font: measuring thousands of them one by one
    // would stall the window when the list is shown again. Like the original list it scrolls
    // only vertically, so the part of a marked entry past its blanks stays out of sight.
    QListWidget* playlist = window_.playlist;
    playlist->setUniformItemSizes(true);
    playlist->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    playlist->setAcceptDrops(true);
    playlist->viewport()->setAcceptDrops(true);
    playlist->viewport()->installEventFilter(this);
}

bool PlaylistEditor::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const LibraryDragSource source = libraryDragSource(drop->mimeData());
        if (source == LibraryDragSource::None)
            return false; // files and text from other programs are not ours
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        dropOntoPlaylist(source);
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::RightButton)
            return false;
        // The right button neither selects nor plays an entry: it pops up the Playlist menu.
        window_.playlistMenu->popup(press->globalPosition().toPoint());
        return true;
    }
    return false;
}

void PlaylistEditor::appendRecords(const QList<int>& records)
{
    QList<PlaylistEntry> entries;
    entries.reserve(records.size());
    for (int record : records)
        entries.append(libraryEntry(library_.table(), record));
    const int appended = appendEntries(window_.playlist, std::move(entries));
    emit recordsAppended(records.first(appended));
    tellEntriesLeftOut(messageBox_, &window_, records.size() - appended);
}

void PlaylistEditor::appendTexts(const QStringList& texts)
{
    QStringList refusals;
    const QStringList admitted = admittedEntries(texts, refusals);
    const int appended = appendEntries(window_.playlist, entriesOfTexts(admitted));
    tellEntriesRefused(messageBox_, &window_, refusals);
    tellEntriesLeftOut(messageBox_, &window_, admitted.size() - appended);
}

void PlaylistEditor::addFiles()
{
    const QString chosen =
        fileDialog_.showOpen(&window_, {.filter = AnyFileFilter, .title = QStringLiteral("Add File")});
    if (chosen.isEmpty())
        return;
    if (chosen.right(4).toUpper() != QLatin1String(".M3U")) {
        appendTexts({chosen});
        return;
    }
    // A file that cannot be read to its end keeps the lines read until then.
    QStringList lines;
    QString problem;
    readPlaylistFile(chosen, lines, &problem);
    appendTexts(lines);
    if (!problem.isEmpty())
        messageBox_.show(&window_, problem, QStringLiteral("Error"));
}

void PlaylistEditor::showAddUrlWindow()
{
    if (!addUrlWindow_) {
        addUrlWindow_ = new AddUrlWindow(window_);
        connect(addUrlWindow_, &AddUrlWindow::addRequested, this, [this](const QString& text) { appendTexts({text}); });
    }
    addUrlWindow_->showOverPlayer();
}

void PlaylistEditor::removeSelected()
{
    QListWidget* playlist = window_.playlist;
    const int row = selectedRow(playlist);
    if (row < 0)
        return;
    emit entryRemoving(entryAt(playlist, row));
    // Removing is not a click on another entry: nothing is selected afterwards.
    removeEntry(playlist, row);
}

void PlaylistEditor::clear()
{
    emptyList(window_.playlist);
    emit cleared();
}

void PlaylistEditor::addAllOfGenre()
{
    window_.showWaitNotice(AddingFilesNotice);
    const QString genre = trimBlanks(window_.genreFilter->currentText()).toString();
    const LibraryTable& table = library_.table();
    appendRecords(genre == AllGenres ? table.everyRecord() : table.recordsWhere(Field::Genre, genre, Match::Trimmed));
    window_.hideWaitNotice();
}

void PlaylistEditor::dropOntoPlaylist(LibraryDragSource source)
{
    window_.showWaitNotice(AddingFilesNotice);
    if (source == LibraryDragSource::Artists) {
        // With no artist chosen there is nothing to add.
        appendRecords(browser_.recordsOfChosenArtist());
    } else if (source == LibraryDragSource::Titles) {
        if (const int record = browser_.recordOfChosenTitle())
            appendRecords({record});
        emit titleDropped();
    }
    window_.hideWaitNotice();
}

void PlaylistEditor::followRecordRemoval(const QList<int>& numbers)
{
    const RecordRemoval removal(numbers);
    QListWidget* playlist = window_.playlist;
    for (int row = 0; row < playlist->count(); ++row) {
        const std::optional<PlaylistEntry> changed =
            playlistEntryAfterRemoval(entryAt(playlist, row), library_.table(), removal);
        if (changed)
            setEntryAt(playlist, row, *changed);
    }
}

void PlaylistEditor::detachFromLibrary()
{
    followRecordRemoval(library_.table().everyRecord());
}
