#pragma once

#include <QDrag>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <functional>

class MainWindow;
class QMimeData;
class QWidget;

// Where a drag from the library lists came from.
enum class LibraryDragSource { None, Artists, Titles };

// The type of the drags from the library lists; the data names the source list.
inline const QString LibraryDragMimeType = QStringLiteral("application/x-vexolin-library-entry");

// The list a drag from the library lists came from; None for any other data.
LibraryDragSource libraryDragSource(const QMimeData* data);

// Drags of an artist or a title from the library lists onto the playlist.
//
// A press of the left or middle mouse button over either list starts the drag at once (the
// right button opens the lists' context menu instead; a double-click is the list's own, and adds). The drag carries only
// the in-program type LibraryDragMimeType naming the list it came from; the receiver reads that
// list's selection when the drop happens.
//
// While such a drag passes over the window, the controls that have a drag-over handling set the
// drag icon: the playlist shows the drop-allowed icon (and accepts the drop), the others the
// no-drop icon, and the controls without one leave it as it was. The pointer shows the icon
// during the drag. Other drags (files, text from other programs) are left alone.
class LibraryDrag : public QObject
{
    Q_OBJECT
public:
    // Runs a started drag to its end; it takes the drag over (QDrag::exec deletes it later).
    using DragLoop = std::function<void(QDrag*)>;

    // dragLoop, when given, replaces the platform's drag loop (QDrag::exec).
    LibraryDrag(MainWindow& window, DragLoop dragLoop = {});

    // The icon the pointer shows now, and the two it switches between.
    const QPixmap& currentIcon() const { return *icon_; }
    const QPixmap& noDropIcon() const { return noDropIcon_; }
    const QPixmap& dropIcon() const { return dropIcon_; }

    // The drag in progress, if any.
    QDrag* activeDrag() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class DragOverRole { None, NoDrop, Drop };

    void startDrag(QWidget* sourceList);
    bool handlePress(QWidget* viewport, QEvent* event);
    bool handleDragOver(QObject* watched, QEvent* event);
    QWidget* widgetUnder(QObject* receiver, QPointF position) const;
    DragOverRole roleOf(QWidget* under) const;
    void setIcon(DragOverRole role);
    void watch(QWidget* widget);

    MainWindow& window_;
    DragLoop dragLoop_;
    const QPixmap noDropIcon_;
    const QPixmap dropIcon_;
    const QPixmap* icon_ = &noDropIcon_;
    QPointer<QDrag> active_;
    bool forwardingPress_ = false;
};
