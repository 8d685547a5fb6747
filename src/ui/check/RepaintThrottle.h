#pragma once

#include <QElapsedTimer>

// Tells a long loop when to repaint its progress: at the first call and then at most once per
// interval (about 30 times a second by default). The loop shows its final state itself.
class RepaintThrottle
{
public:
    explicit RepaintThrottle(qint64 intervalMs = 33) : intervalMs_(intervalMs) {}

    bool due()
    {
        if (timer_.isValid() && timer_.elapsed() < intervalMs_)
            return false;
        timer_.start();
        return true;
    }

private:
    qint64 intervalMs_;
    QElapsedTimer timer_;
};
