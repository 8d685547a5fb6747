#include "ui/playlist/PlaylistEditor.h"

#include "core/Library.h"
#include "core/MediaFiles.h"
#include "core/Playlist.h"
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

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

PlaylistEditor::PlaylistEditor(MainWindow& window, Playlist& playlist, const Library& library,
                               const LibraryBrowser& browser, FileDialog& fileDialog, MessageBox& messageBox)
    : QObject(&window), window_(window), playlist_(playlist), library_(library), browser_(browser),
      fileDialog_(fileDialog), messageBox_(messageBox)
{
    connect(window_.addFilesAction, &QAction::triggered, this, &PlaylistEditor::addFiles);
    connect(window_.addFolderAction, &QAction::triggered, this, &PlaylistEditor::addFolder);
    connect(window_.addUrlAction, &QAction::triggered, this, &PlaylistEditor::showAddUrlWindow);
    connect(window_.removeAction, &QAction::triggered, this, &PlaylistEditor::removeSelected);
    connect(window_.clearPlaylistAction, &QAction::triggered, this, &PlaylistEditor::clear);
    connect(window_.allToPlaylistButton, &QPushButton::clicked, this, &PlaylistEditor::addAllOfGenre);
    // Entries are single lines in one fixed-pitch font: measuring thousands of them one by one
    // would stall the window when the list is shown again. The list scrolls only vertically, so
    // the path a marked entry carries past its 80 blanks stays out of sight.
    ListBox* view = window_.playlist;
    view->setModel(&playlist_);
    // Entries put in the place of all (a shuffle) are seen from the top, as a list filled anew.
    connect(&playlist_, &QAbstractItemModel::modelReset, view, &QAbstractItemView::scrollToTop);
    view->setUniformItemSizes(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->viewport()->installEventFilter(this);
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
    const int appended = playlist_.append(std::move(entries));
    emit recordsAppended(records.first(appended));
    tellEntriesLeftOut(messageBox_, &window_, records.size() - appended);
}

void PlaylistEditor::appendTexts(const QStringList& texts, qsizetype alreadyLeftOut)
{
    QStringList refusals;
    const QStringList admitted = admittedEntries(texts, refusals);
    const int appended = playlist_.append(entriesOfTexts(admitted));
    tellEntriesRefused(messageBox_, &window_, refusals);
    tellEntriesLeftOut(messageBox_, &window_, admitted.size() - appended + alreadyLeftOut);
}

void PlaylistEditor::addFiles()
{
    const QStringList chosen =
        fileDialog_.showOpenSeveral(&window_, {.filter = AddFilesFilter, .title = QStringLiteral("Add File")});
    if (chosen.isEmpty())
        return;
    // Each file enters as it would alone: an M3U file's lines, any other file's path. A list
    // that cannot be read to its end keeps the lines read until then; the lines past what a
    // playlist holds are counted as left out.
    QStringList texts;
    qsizetype linesLeftOut = 0;
    QStringList problems;
    for (const QString& file : chosen) {
        if (file.right(4).toUpper() != QLatin1String(".M3U")) {
            texts.append(file);
            continue;
        }
        const PlaylistFileRead read = readPlaylistFile(file);
        texts.append(read.lines);
        linesLeftOut += read.linesLeftOut;
        if (!read.ok())
            problems.append(read.problem);
    }
    appendTexts(texts, linesLeftOut);
    if (!problems.isEmpty())
        messageBox_.show(&window_, problems.join(u'\n'), QStringLiteral("Error"));
}

void PlaylistEditor::addFolder()
{
    const QString folder = fileDialog_.chooseFolder(&window_, QStringLiteral("Add Folder"));
    if (folder.isEmpty())
        return;
    window_.showWaitNotice(AddingFilesNotice);
    QStringList files;
    const QStringList unread = walkMediaFiles(folder, {.mediaFound = [&files](const QString& path) { files.append(path); }});
    QStringList refusals;
    const QStringList admitted = admittedEntries(files, refusals);
    QList<PlaylistEntry> entries;
    entries.reserve(admitted.size());
    for (const QString& file : admitted)
        entries.append({file, EntryKind::Plain});
    const int appended = playlist_.append(std::move(entries));
    window_.hideWaitNotice();
    if (files.isEmpty() && unread.isEmpty())
        messageBox_.show(&window_, QStringLiteral("No media files were found in %1.").arg(folder), MessageBox::programTitle());
    if (!unread.isEmpty())
        messageBox_.show(&window_,
                         QStringLiteral("These folders could not be read, and their files were not added:\n%1")
                             .arg(unread.join(u'\n')),
                         MessageBox::programTitle());
    tellEntriesRefused(messageBox_, &window_, refusals);
    tellEntriesLeftOut(messageBox_, &window_, admitted.size() - appended);
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
    const int row = selectedRow(window_.playlist);
    if (row < 0)
        return;
    emit entryRemoving(playlist_.entry(row));
    // Removing is not a click on another entry: nothing is selected afterwards.
    playlist_.remove(row);
}

void PlaylistEditor::clear()
{
    playlist_.clear();
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
    for (int row = 0; row < playlist_.count(); ++row) {
        const std::optional<PlaylistEntry> changed =
            playlistEntryAfterRemoval(playlist_.entry(row), library_.table(), removal);
        if (changed)
            playlist_.replace(row, *changed);
    }
}

void PlaylistEditor::detachFromLibrary()
{
    followRecordRemoval(library_.table().everyRecord());
}
