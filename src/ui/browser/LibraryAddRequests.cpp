#include "ui/browser/LibraryAddRequests.h"

#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

LibraryAddRequests::LibraryAddRequests(MainWindow& window)
    : QObject(&window), window_(window), menu_(new QMenu(&window))
{
    menu_->setObjectName(QStringLiteral("libraryContextMenu"));
    QAction* add = menu_->addAction(QStringLiteral("&Add to Playlist"));
    add->setObjectName(QStringLiteral("addToPlaylistAction"));
    connect(add, &QAction::triggered, this, [this] { requestAdd(menuSource_); });
    for (ListBox* list : {window_.artistList, window_.titleList}) {
        // Keys and the context-menu key come to the list, mouse events to its viewport.
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
}

LibraryDragSource LibraryAddRequests::sourceOf(QObject* watched) const
{
    if (watched == window_.artistList || watched == window_.artistList->viewport())
        return LibraryDragSource::Artists;
    if (watched == window_.titleList || watched == window_.titleList->viewport())
        return LibraryDragSource::Titles;
    return LibraryDragSource::None;
}

ListBox* LibraryAddRequests::listOf(LibraryDragSource source) const
{
    return source == LibraryDragSource::Artists ? window_.artistList : window_.titleList;
}

void LibraryAddRequests::requestAdd(LibraryDragSource source)
{
    if (source != LibraryDragSource::None && selectedRow(listOf(source)) >= 0)
        emit addRequested(source);
}

bool LibraryAddRequests::handleDoubleClick(LibraryDragSource source, const QMouseEvent* click)
{
    // Each press of the double-click began a drag that ended where it began, and chose the row
    // under the pointer; the click itself adds that row. The list sees it too.
    ListBox* list = listOf(source);
    const QModelIndex row = list->indexAt(click->position().toPoint());
    if (click->button() == Qt::LeftButton && row.isValid()) {
        if (row.row() != list->currentRow())
            list->setCurrentRow(row.row());
        requestAdd(source);
    }
    return false;
}

void LibraryAddRequests::showContextMenu(LibraryDragSource source, const QPoint& globalPosition)
{
    menuSource_ = source;
    menu_->actions().constFirst()->setEnabled(selectedRow(listOf(source)) >= 0);
    menu_->popup(globalPosition);
}

bool LibraryAddRequests::eventFilter(QObject* watched, QEvent* event)
{
    // Only these events look at the window's lists: the others come also while the window is
    // being taken down, when its lists may already be gone.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonDblClick && type != QEvent::KeyPress && type != QEvent::ContextMenu)
        return false;
    const LibraryDragSource source = sourceOf(watched);
    if (event->type() == QEvent::MouseButtonDblClick && watched == listOf(source)->viewport())
        return handleDoubleClick(source, static_cast<QMouseEvent*>(event));
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        // Held down, Enter adds once.
        if (!key->isAutoRepeat())
            requestAdd(source);
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        const auto* asked = static_cast<QContextMenuEvent*>(event);
        ListBox* list = listOf(source);
        // From the keyboard the menu opens at the chosen row, or over the list without one.
        QPoint at = asked->globalPos();
        if (asked->reason() == QContextMenuEvent::Keyboard) {
            const int row = selectedRow(list);
            at = list->viewport()->mapToGlobal(row >= 0 ? list->rowRect(row).center() : list->viewport()->rect().center());
        }
        showContextMenu(source, at);
        return true;
    }
    return false;
}
