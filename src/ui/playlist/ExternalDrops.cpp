#include "ui/playlist/ExternalDrops.h"

#include "core/DroppedFiles.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"
#include "core/SharedTexts.h"
#include "ui/playlist/PlaylistAppend.h"
#include "ui/window/MainWindow.h"

#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <algorithm>

namespace {

// The answer given to the source: a copy or a link, never a move, so that no source deletes
// what it offered. A drop offering only a move is taken but answered as ignored.
bool answerSafely(QDropEvent* event)
{
    const Qt::DropActions offered = event->possibleActions();
    if (offered & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else if (offered & Qt::LinkAction)
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    event->accept();
    return true;
}

} // namespace

ExternalDrops::ExternalDrops(MainWindow& window) : QObject(&window), window_(window)
{
    acceptDropsOn(window_.playlist->viewport());
}

void ExternalDrops::acceptDropsOn(QWidget* target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool ExternalDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (!isExternalDrop(drop->mimeData(), drop->source()))
        return QObject::eventFilter(watched, event);
    if (type != QEvent::Drop) {
        if (!answerSafely(drop))
            drop->acceptProposedAction(); // a move-only drag still reaches the drop
        return true;
    }
    if (!answerSafely(drop))
        drop->ignore();
    addDroppedFiles(droppedData(*drop->mimeData(), int(drop->possibleActions())));
    return true;
}

void ExternalDrops::addDroppedFiles(const DroppedData& drop)
{
    if (!window_.playerNotice->isHidden())
        return;
    window_.showWaitNotice(AddingFilesNotice);
    const qsizetype room = std::max(0, PlaylistCapacity - window_.playlist->count());
    appendToPlaylist(window_.playlist, droppedEntries(drop, room, readPlaylistFile));
    emit filesDropped();
    window_.hideWaitNotice();
}
