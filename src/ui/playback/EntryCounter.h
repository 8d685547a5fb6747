#pragma once

class ListBox;
class MainWindow;
class MediaPlayer;
class Playlist;

// Brings the playlist's row and the n/m counter of the open media in line with the playlist and
// the player: the playing entry is the selected row, and the counter shows which entry of the
// open media plays, with the buttons that step within it.
class EntryCounter
{
public:
    EntryCounter(MainWindow& window, const Playlist& playlist, MediaPlayer& player);

    // Asks the player once whether it numbers the entries of a media; the n/m counter is shown
    // only when it does.
    void probePlayer();
    // Shows the playlist's position (the entry opened last) as the selected row, and the open
    // media's entry in the counter.
    void update();

private:
    MainWindow& window_;
    const Playlist& playlist_;
    MediaPlayer& player_;
    bool playerNumbersEntries_ = false;
};
