#include "ui/browser/LibraryDrag.h"

#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

namespace {
const QByteArray ArtistsSource = QByteArrayLiteral("artistList");
const QByteArray TitlesSource = QByteArrayLiteral("titleList");
} // namespace

LibraryDragSource libraryDragSource(const QMimeData* data)
{
    if (!data || !data->hasFormat(LibraryDragMimeType))
        return LibraryDragSource::None;
    const QByteArray source = data->data(LibraryDragMimeType);
    if (source == ArtistsSource)
        return LibraryDragSource::Artists;
    return source == TitlesSource ? LibraryDragSource::Titles : LibraryDragSource::None;
}

LibraryDrag::LibraryDrag(MainWindow& window, DragLoop dragLoop)
    : QObject(&window), window_(window), dragLoop_(std::move(dragLoop)),
      noDropIcon_(QStringLiteral(":/nodrop.xpm")), dropIcon_(QStringLiteral(":/drop.xpm"))
{
    if (!dragLoop_)
        dragLoop_ = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
    // Every control takes drag events itself, so that one without a drag-over handling keeps
    // the icon instead of handing the event on to the window behind it.
    watch(window_.client);
    for (QWidget* widget : window_.client->findChildren<QWidget*>())
        watch(widget);
}

void LibraryDrag::watch(QWidget* widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

void LibraryDrag::startDrag(QWidget* sourceList)
{
    auto* data = new QMimeData;
    data->setData(LibraryDragMimeType, sourceList == window_.artistList ? ArtistsSource : TitlesSource);
    auto* drag = new QDrag(sourceList);
    drag->setMimeData(data);
    // The pointer carries the icon; the drag's own picture is an invisible point.
    QPixmap nothing(1, 1);
    nothing.fill(Qt::transparent);
    drag->setPixmap(nothing);
    active_ = drag;
    setIcon(DragOverRole::None);
    dragLoop_(drag);
    active_ = nullptr;
}

bool LibraryDrag::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched == window_.artistList->viewport() || watched == window_.titleList->viewport())
            return handlePress(static_cast<QWidget*>(watched), event);
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return handleDragOver(watched, event);
    case QEvent::Drop:
        // Only the playlist takes these drops; nowhere else may a library drag land.
        if (auto* drop = static_cast<QDropEvent*>(event); libraryDragSource(drop->mimeData()) == LibraryDragSource::None
            || roleOf(widgetUnder(watched, drop->position())) == DragOverRole::Drop)
            return false;
        event->ignore();
        return true;
    default:
        return false;
    }
}

bool LibraryDrag::handlePress(QWidget* viewport, QEvent* event)
{
    if (forwardingPress_)
        return false;
    auto* press = static_cast<QMouseEvent*>(event);
    // The right button chooses the entry under the mouse for the context menu, without a drag.
    if (press->button() == Qt::RightButton)
        return false;
    // A left press selects the entry under the mouse before the drag starts; the drag then
    // takes the entry just chosen. The middle button drags the selection as it stands.
    const bool selects = press->button() == Qt::LeftButton;
    if (selects) {
        forwardingPress_ = true;
        QCoreApplication::sendEvent(viewport, event);
        forwardingPress_ = false;
    }
    startDrag(viewport == window_.artistList->viewport() ? window_.artistList : window_.titleList);
    if (selects) {
        // The drag consumed the release; the list still needs one to end its press.
        QMouseEvent release(QEvent::MouseButtonRelease, press->position(), press->globalPosition(),
                            press->button(), Qt::NoButton, press->modifiers());
        QCoreApplication::sendEvent(viewport, &release);
    }
    return true;
}

bool LibraryDrag::handleDragOver(QObject* watched, QEvent* event)
{
    auto* move = static_cast<QDragMoveEvent*>(event);
    if (libraryDragSource(move->mimeData()) == LibraryDragSource::None)
        return false;
    const DragOverRole role = roleOf(widgetUnder(watched, move->position()));
    setIcon(role);
    if (role == DragOverRole::Drop) {
        move->setDropAction(Qt::CopyAction);
        move->accept();
    } else {
        move->ignore();
    }
    return true;
}

QWidget* LibraryDrag::widgetUnder(QObject* receiver, QPointF position) const
{
    // An ignored drag event travels on to the receiver's parents: the role always comes from
    // the innermost widget under the pointer, whichever widget is handed the event.
    const QPoint at = static_cast<QWidget*>(receiver)->mapTo(window_.client, position.toPoint());
    QWidget* under = window_.client->childAt(at);
    return under ? under : window_.client;
}

LibraryDrag::DragOverRole LibraryDrag::roleOf(QWidget* under) const
{
    const MainWindow& w = window_;
    const QList<QObject*> noDrop = {
        w.genreFilter,     w.playButton,      w.pauseButton,     w.stopButton,      w.previousEntryButton,
        w.nextEntryButton, w.allToPlaylistButton, w.creditLine,  w.playtimeLabel,   w.playtimeCaption,
        w.timeLeftLabel,   w.timeLeftCaption, w.entryCounter,    w.waitNotice,      w.playerNotice,
        w.playlistCaption, w.artistList,      w.titleList,       w.artistField,     w.titleField,
        w.playerArea,
    };
    if (under == window_.client)
        return DragOverRole::NoDrop;
    // The parts of a control (a list's viewport and scroll bars, the player's video) count as
    // the control; a control not named here has no drag-over handling.
    for (QObject* o = under; o && o != window_.client; o = o->parent()) {
        if (o == window_.playlist)
            return DragOverRole::Drop;
        if (noDrop.contains(o))
            return DragOverRole::NoDrop;
    }
    return DragOverRole::None;
}

void LibraryDrag::setIcon(DragOverRole role)
{
    if (role == DragOverRole::Drop)
        icon_ = &dropIcon_;
    else if (role == DragOverRole::NoDrop)
        icon_ = &noDropIcon_;
    if (!active_)
        return;
    // The pointer itself shows the icon, whatever the target answers. (A drag picture would
    // keep the icon it started with: the platform draws it once.)
    for (Qt::DropAction action : {Qt::IgnoreAction, Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
        active_->setDragCursor(*icon_, action);
}
