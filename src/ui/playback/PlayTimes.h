#pragma once

#include <QtGlobal>

class MainWindow;
class MediaPlayer;

// The play-time and time-left displays, rewritten when the whole second of play changes, and
// when the length of the media becomes known or changes (the player often learns it only after
// the first ticks of an entry, and a stop in that time leaves the position where it was).
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
    qint32 lastShownLength_ = 0;
};
