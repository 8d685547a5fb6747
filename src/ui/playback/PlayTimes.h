#pragma once

#include <QtGlobal>

class MainWindow;
class MediaPlayer;

// The play-time and time-left displays, rewritten when the whole second of play changes.
class PlayTimes
{
public:
    PlayTimes(MainWindow& window, const MediaPlayer& player);

    // The status tick: shows the position and the time left of the open media.
    void update();

private:
    MainWindow& window_;
    const MediaPlayer& player_;
    qint32 lastShownSecond_ = 0;
};
