#pragma once

#include <QObject>
#include <QDrag>
#include <QPointer>
#include <QString>
#include <functional>

class Form1;
class QMimeData;
class QWidget;

// Drags of an artist or a title from the library lists (List1, List2) onto the playlist.
//
// A press of any mouse button over either list starts the drag at once. The drag carries only
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
    explicit LibraryDrag(Form1& form);

    // A mouse button pressed over the artist or the title list.
    void List1_MouseDown();
    void List2_MouseDown();

    // Runs a started drag to its end; it takes the drag over (QDrag::exec deletes it later).
    // Tests replace it to play the drag's events themselves.
    std::function<void(QDrag*)> runDrag;

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

    Form1& form_;
    QPointer<QDrag> active_;
    bool forwardingPress_ = false;
};

// The type of the drags from the library lists; the data is the source list's name.
inline const QString LibraryDragMimeType = QStringLiteral("application/x-vexolin-library-entry");

// "List1" or "List2" for a drag from a library list, empty for any other data.
QString libraryDragSource(const QMimeData* data);
