#pragma once

#include <QObject>

class MainWindow;
class MediaPlayer;

// The position slider below the video and the volume slider beside the transport row.
//
// The position slider shows where the open media plays (whole seconds of its length) and jumps
// there when the user lets it go or moves it by the keyboard; it is disabled while the media
// cannot seek. The volume slider sets the player's loudness (0 to 100 percent, kept from one
// media to the next) and follows it when something else changes it (the desktop's media widgets).
class SeekAndVolume : public QObject
{
    Q_OBJECT
public:
    SeekAndVolume(MainWindow& window, MediaPlayer& player);

    // The status tick, and each jump, stop and new media: the slider shows the play position,
    // unless the user holds it.
    void showPosition();

private:
    void seekTo(int seconds);
    void setVolume(int percent);
    void followSeekable(bool canSeek);
    void followVolume(int percent);

    MainWindow& window_;
    MediaPlayer& player_;
};
