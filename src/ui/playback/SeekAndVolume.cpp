#include "ui/playback/SeekAndVolume.h"

#include "core/StatusTexts.h"
#include "player/MediaPlayer.h"
#include "ui/window/MainWindow.h"

#include <QSignalBlocker>
#include <QSlider>

SeekAndVolume::SeekAndVolume(MainWindow& window, MediaPlayer& player)
    : QObject(&window), window_(window), player_(player)
{
    QSlider* position = window_.positionSlider;
    // A drag seeks once, where the slider is let go; the arrow keys step 5 seconds, Page Up and
    // Page Down 30.
    position->setTracking(false);
    position->setSingleStep(5);
    position->setPageStep(30);
    connect(position, &QSlider::valueChanged, this, &SeekAndVolume::seekTo);
    connect(&player_, &MediaPlayer::seekableChanged, this, &SeekAndVolume::followSeekable);
    connect(&player_, &MediaPlayer::seeked, this, &SeekAndVolume::showPosition);
    connect(&player_, &MediaPlayer::stateChanged, this, &SeekAndVolume::showPosition);
    connect(&player_, &MediaPlayer::newStream, this, &SeekAndVolume::showPosition);
    followSeekable(player_.canSeek());

    QSlider* volume = window_.volumeSlider;
    volume->setRange(0, 100);
    volume->setSingleStep(5);
    volume->setPageStep(10);
    followVolume(player_.volume());
    connect(volume, &QSlider::valueChanged, this, &SeekAndVolume::setVolume);
    connect(&player_, &MediaPlayer::volumeChanged, this, &SeekAndVolume::followVolume);
}

void SeekAndVolume::showPosition()
{
    QSlider* slider = window_.positionSlider;
    if (slider->isSliderDown())
        return;
    const QSignalBlocker quiet(slider);
    slider->setRange(0, qMax(0, wholeSeconds(player_.duration())));
    slider->setValue(qMax(0, wholeSeconds(player_.currentPosition())));
}

void SeekAndVolume::seekTo(int seconds)
{
    // A jump the player refuses leaves the slider where the media plays.
    if (!player_.setCurrentPosition(seconds))
        showPosition();
}

void SeekAndVolume::setVolume(int percent)
{
    if (!player_.setVolume(percent))
        followVolume(player_.volume());
}

void SeekAndVolume::followSeekable(bool canSeek)
{
    window_.positionSlider->setEnabled(canSeek);
    showPosition();
}

void SeekAndVolume::followVolume(int percent)
{
    const QSignalBlocker quiet(window_.volumeSlider);
    window_.volumeSlider->setValue(percent);
}
