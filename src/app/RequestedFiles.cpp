#include "app/RequestedFiles.h"

#include "app/CommandLine.h"
#include "core/DroppedFiles.h"
#include "ui/database/DatabaseOpening.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playlist/ExternalDrops.h"
#include "ui/playlist/PlaylistFiles.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QApplication>
#include "core/Playlist.h"
#include <QThread>

namespace {

// What the user must finish before the files can be opened; "%1" stands for "it" or "them".
QString reasonOfMode(WindowMode::Mode mode)
{
    switch (mode) {
    case WindowMode::Editing: return QStringLiteral("The record editor is open: finish with Done, then open %1 again.");
    case WindowMode::Checking:
        return QStringLiteral("The database check is open: finish with Done, then open %1 again.");
    case WindowMode::CdWizard:
        return QStringLiteral("The Create CD wizard is open: finish or cancel it, then open %1 again.");
    case WindowMode::Normal: break;
    }
    return QStringLiteral("Try to open %1 again later.");
}

} // namespace

RequestedFiles::RequestedFiles(MainWindow& window, const Features& features)
    : QObject(&window), window_(window), features_(features)
{
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &RequestedFiles::openWaiting);
}

void RequestedFiles::openAtStartUp(const QStringList& files)
{
    open(files, false);
    started_ = true;
    if (!waiting_.isEmpty())
        retry_.start(0);
}

void RequestedFiles::openHandedOver(const QStringList& files)
{
    emit raiseRequested();
    if (files.isEmpty())
        return;
    waiting_.append(files);
    // Opened from the event loop, not inside whatever the bus's call interrupted.
    retry_.start(0);
}

void RequestedFiles::openWaiting()
{
    if (!windowIsFree()) {
        retry_.start(100);
        return;
    }
    while (!waiting_.isEmpty())
        open(waiting_.takeFirst(), true);
}

bool RequestedFiles::windowIsFree() const
{
    // A dialog, a message box, a context menu or a drag of the window runs an event loop of its
    // own inside the program's: the user is in the middle of something.
    return started_ && QThread::currentThread()->loopLevel() <= 1 && !QApplication::activeModalWidget()
           && !QApplication::activePopupWidget();
}

void RequestedFiles::open(const QStringList& files, bool handedOver)
{
    bool playing = false;
    QStringList media;
    QStringList leftOut;
    const auto appendWaitingMedia = [&] {
        if (!media.isEmpty())
            appendMedia(media, playing);
        media.clear();
    };
    for (const QString& file : files) {
        if (handedOver && !allowedNow(file)) {
            leftOut.append(file);
            continue;
        }
        switch (kindOfFile(file)) {
        case FileKind::Database:
            appendWaitingMedia();
            if (handedOver) {
                features_.databaseOpening.openDatabase(file);
            } else {
                features_.databaseOpening.openAtStartUp(file);
                features_.playerControl.updateEntryCounter();
            }
            break;
        case FileKind::Playlist:
            appendWaitingMedia();
            features_.playlistFiles.openPlaylistFile(file);
            break;
        case FileKind::Media: media.append(file); break;
        }
    }
    appendWaitingMedia();
    tellLeftOut(leftOut);
}

void RequestedFiles::appendMedia(const QStringList& files, bool& playing)
{
    const int before = features_.playlist.count();
    features_.drops.addDroppedFiles({.files = files, .text = std::nullopt, .effect = FileManagerEffect});
    if (playing || features_.playlist.count() == before)
        return;
    features_.playerControl.playEntry(before + 1);
    playing = true;
}

QString RequestedFiles::openAddress(const QString& address)
{
    if (!window_.addUrlAction->isEnabled())
        return QStringLiteral("Vexolin cannot open %1 now. %2").arg(address, reasonOfMode(features_.mode.current()).arg("it"));
    const int before = features_.playlist.count();
    features_.drops.addDroppedFiles({.files = {}, .text = address, .effect = LinkOnlyEffect});
    if (features_.playlist.count() == before)
        return QStringLiteral("%1 was not added to the playlist").arg(address);
    features_.playerControl.playEntry(before + 1);
    return {};
}

bool RequestedFiles::allowedNow(const QString& file) const
{
    switch (kindOfFile(file)) {
    case FileKind::Database: return window_.openDatabaseAction->isEnabled();
    case FileKind::Playlist: return window_.openPlaylistAction->isEnabled();
    case FileKind::Media: return window_.addFilesAction->isEnabled();
    }
    return false;
}

void RequestedFiles::tellLeftOut(const QStringList& files)
{
    if (files.isEmpty())
        return;
    const bool one = files.size() == 1;
    const QString what = one ? files.first() + QStringLiteral(" now.")
                             : QStringLiteral("these files now:\n\n") + files.join(QLatin1Char('\n'));
    const QString reason = reasonOfMode(features_.mode.current()).arg(one ? QStringLiteral("it") : QStringLiteral("them"));
    const QString text = QStringLiteral("Vexolin cannot open %1\n\n%2").arg(what, reason);
    features_.messageBox.show(&window_, text, MessageBox::programTitle());
}
