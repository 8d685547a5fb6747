#pragma once

#include "ui/browser/LibraryDrag.h"

#include <QObject>

class MainWindow;
class ListBox;
class QMenu;
class QMouseEvent;

// The keyboard's and the mouse's ways to add an artist or a title to the playlist without a drag:
// Enter or a double-click on the chosen row of the artist or title list, and "Add to Playlist"
// in the lists' context menu (the right button or the context-menu key). Each asks for exactly
// what dropping that list's chosen row on the playlist adds; the playlist's editor carries it out.
class LibraryAddRequests : public QObject
{
    Q_OBJECT
public:
    explicit LibraryAddRequests(MainWindow& window);

    // The context menu of the list last asked for one.
    QMenu* contextMenu() const { return menu_; }

signals:
    // Add the chosen row of this list, as its drop on the playlist would.
    void addRequested(LibraryDragSource source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LibraryDragSource sourceOf(QObject* watched) const;
    ListBox* listOf(LibraryDragSource source) const;
    // Asks to add the list's chosen row; nothing when none is chosen.
    void requestAdd(LibraryDragSource source);
    // A left double-click on a row adds it; the event passes on to the list.
    bool handleDoubleClick(LibraryDragSource source, const QMouseEvent* click);
    void showContextMenu(LibraryDragSource source, const QPoint& globalPosition);

    MainWindow& window_;
    QMenu* menu_;
    LibraryDragSource menuSource_ = LibraryDragSource::None;
};
