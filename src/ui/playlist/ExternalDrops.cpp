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
    // One rule gives the cursor and the answer: a copy or a link where the drop takes something,
    // never a move; anything else is refused with the no-drop cursor.
    const Qt::DropAction answer = dropAnswer(data);
    if (answer == Qt::IgnoreAction) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(answer);
    drop->accept();
    if (type == QEvent::Drop)
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
    qsizetype linesLeftOut = 0;
    QStringList refusals;
    const QStringList texts = admittedEntries(
        droppedEntries(drop, std::numeric_limits<qsizetype>::max(), readPlaylistFile, &problem, &linesLeftOut),
        refusals);
    const int appended = playlist_.append(entriesOfTexts(texts));
    emit filesDropped();
    window_.hideWaitNotice();
    if (!problem.isEmpty())
        messageBox_.show(&window_, problem, QStringLiteral("Error"));
    tellEntriesRefused(messageBox_, &window_, refusals);
    tellEntriesLeftOut(messageBox_, &window_, texts.size() - appended + linesLeftOut);
}
