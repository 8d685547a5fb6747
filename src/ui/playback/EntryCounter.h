#pragma once

class MainWindow;
class MediaPlayer;

// Brings the transport area in line with the playlist and the player: the previous/next
// playlist buttons, the playing row of the playlist, and the n/m counter of the open media.
class EntryCounter
{
public:
    EntryCounter(MainWindow& window, MediaPlayer& player);

    // Asks the player once whether it numbers the entries of a media; the n/m counter is shown
    // only when it does.
    void probePlayer();
    // position: the playlist entry opened last (1-based, 0 for none).
    void update(int position);

private:
    MainWindow& window_;
    MediaPlayer& player_;
    bool playerNumbersEntries_ = false;
};
