#include "ui/playlist/PlaylistFiles.h"

#include "core/Library.h"
#include "core/Playlist.h"
#include "core/PlaylistFile.h"
#include "core/SharedTexts.h"
#include "core/PlaylistEntry.h"
#include "ui/playlist/LeftOutNotice.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"

#include <QAction>

PlaylistFiles::PlaylistFiles(MainWindow& window, Playlist& playlist, const Library& library,
                             FileDialog& fileDialog, MessageBox& messageBox)
    : QObject(&window), window_(window), playlist_(playlist), library_(library), fileDialog_(fileDialog), messageBox_(messageBox)
{
    connect(window_.openPlaylistAction, &QAction::triggered, this, &PlaylistFiles::openPlaylist);
    connect(window_.savePlaylistAction, &QAction::triggered, this, &PlaylistFiles::savePlaylist);
}

void PlaylistFiles::openPlaylist()
{
    const QString path =
        fileDialog_.showOpen(&window_, {.filter = PlaylistFilter, .title = QStringLiteral("Open Playlist")});
    if (!path.isEmpty())
        appendEntriesOf(path);
    emit playlistOpened();
}

void PlaylistFiles::openPlaylistFile(const QString& path)
{
    appendEntriesOf(path);
    emit playlistOpened();
}

void PlaylistFiles::appendEntriesOf(const QString& path)
{
    const PlaylistFileRead read = readPlaylistFile(path); // a failure keeps what was read
    const int appended = playlist_.append(entriesOfTexts(read.lines));
    if (!read.ok())
        messageBox_.show(&window_, read.problem, QStringLiteral("Error"));
    tellEntriesLeftOut(messageBox_, &window_, read.lines.size() - appended + read.linesLeftOut);
}

void PlaylistFiles::savePlaylist()
{
    // The dialog offers the most recent file chosen; replacing a file that is there asks first.
    const QString path = fileDialog_.showSave(
        &window_, {.filter = PlaylistFilter, .title = QStringLiteral("Save Playlist"), .offerLastFile = true});
    if (path.isEmpty())
        return;
    QString error;
    if (!writePlaylistFile(path, playlist_.entries(), library_.table(), &error))
        messageBox_.show(&window_, QStringLiteral("The playlist could not be saved to %1:\n%2").arg(path, error),
                         QStringLiteral("Error"));
}
