#pragma once

#include <QObject>
#include <functional>

class MainWindow;
class Playlist;

// Playlist > Shuffle playlist: every entry gets a random key, and the playlist is refilled in
// the order of the keyed entries (equal keys by the entries' own text, ignoring case).
class PlaylistShuffle : public QObject
{
    Q_OBJECT
public:
    // Random numbers in [0, 1), one drawn per entry in playlist order.
    using RandomNumbers = std::function<double()>;

    PlaylistShuffle(MainWindow& window, Playlist& playlist, RandomNumbers random);

    void shuffle();

private:
    MainWindow& window_;
    Playlist& playlist_;
    RandomNumbers random_;
};
