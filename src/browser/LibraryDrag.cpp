#include "browser/LibraryDrag.h"

#include "app/Form1.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

QString libraryDragSource(const QMimeData* data)
{
    if (!data || !data->hasFormat(LibraryDragMimeType))
        return {};
    const QString source = QString::fromUtf8(data->data(LibraryDragMimeType));
    return source == QLatin1String("List1") || source == QLatin1String("List2") ? source : QString();
}

LibraryDrag::LibraryDrag(Form1& form) : form_(form)
{
    runDrag = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
    // Every control takes drag events itself, so that one without a drag-over handling keeps
    // the icon instead of handing the event on to the window behind it.
    watch(form_.client);
    for (QWidget* widget : form_.client->findChildren<QWidget*>())
        watch(widget);
}

void LibraryDrag::watch(QWidget* widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

void LibraryDrag::List1_MouseDown()
{
    startDrag(form_.List1);
}

void LibraryDrag::List2_MouseDown()
{
    startDrag(form_.List2);
}

void LibraryDrag::startDrag(QWidget* sourceList)
{
    auto* data = new QMimeData;
    data->setData(LibraryDragMimeType, sourceList->objectName().toUtf8());
    auto* drag = new QDrag(sourceList);
    drag->setMimeData(data);
    // The pointer carries the icon; the drag's own picture is an invisible point.
    QPixmap nothing(1, 1);
    nothing.fill(Qt::transparent);
    drag->setPixmap(nothing);
    active_ = drag;
    setIcon(DragOverRole::None);
    runDrag(drag);
    active_ = nullptr;
}

bool LibraryDrag::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched == form_.List1->viewport() || watched == form_.List2->viewport())
            return handlePress(static_cast<QWidget*>(watched), event);
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return handleDragOver(watched, event);
    case QEvent::Drop:
        // Only the playlist takes these drops; nowhere else may a library drag land.
        if (auto* drop = static_cast<QDropEvent*>(event); libraryDragSource(drop->mimeData()).isEmpty()
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
    // A left press selects the entry under the mouse before the drag starts; the drag then
    // takes the entry just chosen. Other buttons drag the selection as it stands.
    const bool selects = press->button() == Qt::LeftButton;
    if (selects) {
        forwardingPress_ = true;
        QCoreApplication::sendEvent(viewport, event);
        forwardingPress_ = false;
    }
    if (viewport == form_.List1->viewport())
        List1_MouseDown();
    else
        List2_MouseDown();
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
    if (libraryDragSource(move->mimeData()).isEmpty())
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
    const QPoint at = static_cast<QWidget*>(receiver)->mapTo(form_.client, position.toPoint());
    QWidget* under = form_.client->childAt(at);
    return under ? under : form_.client;
}

LibraryDrag::DragOverRole LibraryDrag::roleOf(QWidget* under) const
{
    const QList<QObject*> noDrop = {
        form_.Combo1,   form_.Command1, form_.Command2, form_.Command3, form_.Command4,
        form_.Command5, form_.Command6, form_.Label3,   form_.Label5,   form_.Label6,
        form_.Label7,   form_.Label8,   form_.Label9,   form_.Label11,  form_.Label12,
        form_.Label13,  form_.List1,    form_.List2,    form_.Text1,    form_.Text2,
        form_.MediaPlayer1,
    };
    if (under == form_.client)
        return DragOverRole::NoDrop;
    // The parts of a control (a list's viewport and scroll bars, the player's video) count as
    // the control; a control not named here has no drag-over handling.
    for (QObject* o = under; o && o != form_.client; o = o->parent()) {
        if (o == form_.List3)
            return DragOverRole::Drop;
        if (noDrop.contains(o))
            return DragOverRole::NoDrop;
    }
    return DragOverRole::None;
}

void LibraryDrag::setIcon(DragOverRole role)
{
    if (role == DragOverRole::Drop)
        form_.SetDropIcon();
    else if (role == DragOverRole::NoDrop)
        form_.ResetDragIcon();
    if (!active_)
        return;
    // The pointer itself shows the icon, whatever the target answers. (A drag picture would
    // keep the icon it started with: the platform draws it once.)
    const QPixmap& icon = form_.currentDragIcon();
    for (Qt::DropAction action : {Qt::IgnoreAction, Qt::CopyAction, Qt::MoveAction, Qt::LinkAction})
        active_->setDragCursor(icon, action);
}
