#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <utility>

// Runs an action once, right after the window's first exposure has been painted: for work that
// must not hold up the first picture of the window.
class WhenShown : public QObject
{
public:
    WhenShown(QWidget& window, std::function<void()> action) : QObject(&window), action_(std::move(action))
    {
        window.winId(); // makes the native window to watch
        window.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        // The expose handling paints the window; the action waits until it is done.
        if (event->type() == QEvent::Expose && window && window->isExposed() && action_) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, std::exchange(action_, {}), Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> action_;
};
