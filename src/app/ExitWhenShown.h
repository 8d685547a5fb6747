#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

// For timing the start-up from outside (bench/startup.sh): ends the process at once, without
// tearing anything down, right after the window's first exposure has been painted. The program
// does this only when VEXOLIN_EXIT_WHEN_SHOWN is set; the bare window of bench/ always does.
class ExitWhenShown : public QObject
{
public:
    explicit ExitWhenShown(QWidget& window) : QObject(&window)
    {
        window.winId(); // makes the native window to watch
        window.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWindow*>(watched);
        // The expose handling paints the window; the exit waits until it is done.
        if (event->type() == QEvent::Expose && window && window->isExposed())
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] { std::_Exit(0); }, Qt::QueuedConnection);
        return false;
    }
};
