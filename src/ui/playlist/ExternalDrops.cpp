#include "ui/playlist/ExternalDrops.h"

#include "core/DroppedFiles.h"
#include "core/Playlist.h"
#include "core/PlaylistFile.h"
#include "core/SharedTexts.h"
#include "core/StorableNames.h"
#include "ui/playlist/LeftOutNotice.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ListBox.h"

#include <QDropEvent>
#include <QLabel>
#include <limits>

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

ExternalDrops::ExternalDrops(MainWindow& window, Playlist& playlist, MessageBox& messageBox)
    : QObject(&window), window_(window), playlist_(playlist), messageBox_(messageBox)
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
    const DroppedData data = droppedData(*drop->mimeData(), int(drop->possibleActions()));
    // The cursor shows "drop allowed" only where the drop takes something.
    if (!dropTakesEntries(data)) {
        drop->ignore();
        return true;
    }
    if (type != QEvent::Drop) {
        if (!answerSafely(drop))
            drop->acceptProposedAction(); // a move-only drag of a playlist file still reaches the drop
        return true;
    }
    if (!answerSafely(drop))
        drop->ignore();
    addDroppedFiles(data);
    return true;
}

void ExternalDrops::addDroppedFiles(const DroppedData& drop)
{
    if (!window_.playerNotice->isHidden())
        return;
    window_.showWaitNotice(AddingFilesNotice);
    // Everything the drop brings is taken in, so that what a full playlist leaves out is counted.
    QString problem;
    QStringList refusals;
    const QStringList texts = admittedEntries(
        droppedEntries(drop, std::numeric_limits<qsizetype>::max(), readPlaylistFile, &problem), refusals);
    const int appended = playlist_.append(entriesOfTexts(texts));
    emit filesDropped();
    window_.hideWaitNotice();
    if (!problem.isEmpty())
        messageBox_.show(&window_, problem, QStringLiteral("Error"));
    tellEntriesRefused(messageBox_, &window_, refusals);
    tellEntriesLeftOut(messageBox_, &window_, texts.size() - appended);
}
