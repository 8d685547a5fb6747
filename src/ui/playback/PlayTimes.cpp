#include "ui/playback/PlayTimes.h"

#include "core/StatusTexts.h"
#include "player/MediaPlayer.h"
#include "ui/window/MainWindow.h"

#include <QLabel>

PlayTimes::PlayTimes(MainWindow& window, const MediaPlayer& player) : window_(window), player_(player) {}

void PlayTimes::update()
{
    const qint32 p = wholeSeconds(player_.currentPosition());
    const qint32 length = wholeSeconds(player_.duration());
    if (p == lastShownSecond_ && length == lastShownLength_)
        return;
    window_.playtimeLabel->setText(clockText(p));
    // A length the player cannot tell (0) or one below the position shows 00:00:00.
    window_.timeLeftLabel->setText(clockText(qint64(length) - p));
    lastShownSecond_ = p;
    lastShownLength_ = length;
}
