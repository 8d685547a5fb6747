#pragma once

#include "ui/playback/EntryCounter.h"
#include "ui/playback/PlayTimes.h"
#include "ui/playback/Transport.h"

#include <QObject>
#include <QString>
#include <array>

class Library;
class MainWindow;
class MediaPlayer;
class MessageBox;
class Playlist;
class QPushButton;
class WindowMode;
struct PlaylistEntry;

// Connects the playlist to the player: opens playlist entries, drives the transport, moves the
// playlist's position (the entry opened last) and answers the player's end-of-media, new-stream
// and error events. Which transport actions are available is kept here, and the buttons show it.
class PlayerControl : public QObject, public Transport
{
    Q_OBJECT
public:
    PlayerControl(MainWindow& window, Playlist& playlist, MediaPlayer& player, const Library& library,
                  const WindowMode& mode, MessageBox& messageBox);

    // Start-up: asks the player whether it numbers the entries of a media (a player that loads
    // late, once it is ready).
    void probePlayer();

    // Opens playlist entry p (1-based) in the player, which starts by itself, and shows it in
    // the window title. An entry that cannot be opened is passed over quietly; one that names no
    // media (empty, or an M3U comment line) ends at once, and the next entry follows.
    void openEntry(int p);
    // Opens playlist entry p (1-based) as a click on its row does: it becomes the chosen entry.
    void playEntry(int p);

    void play();
    void pause();
    void stop();
    // Previous/next playlist entry: the status tick opens it (see carryOutOpenRequest).
    void requestPreviousEntry();
    void requestNextEntry();
    // Previous/next entry inside the open media.
    void previousInMedia();
    void nextInMedia();

    // The transport as media keys use it: play, pause, stop, previous and next entry, each only
    // while it is available (its button enabled).
    bool isAvailable(Action action) const override;
    void carryOut(Action action) override;

    // The playlist was emptied: no entry is the open one.
    void forgetPosition();
    // Brings the previous and next entry actions, the playlist's row and the entry counter up to
    // date with the playlist's position.
    void updateEntryCounter();

    // The status tick: the play and pause buttons follow the player's state, and a previous or
    // next entry asked for since the last tick is opened.
    void followPlayState();
    void carryOutOpenRequest();
    // The status tick: the play-time and time-left displays.
    void showPlayTimes() { playTimes_.update(); }

signals:
    // An entry is about to be opened.
    void entryOpening();
    // The user chose this playlist entry and it was opened.
    void entryChosen(const PlaylistEntry& entry);
    // A playlist entry was handed to the player (an empty plain one when the position named no
    // entry).
    void entryOpened(const PlaylistEntry& entry);
    // A transport action became available or unavailable, or an entry was asked for that the
    // status tick opens (see carryOutOpenRequest).
    void transportChanged();

private:
    // The selected playlist row changed, by the user or by the entry counter.
    void openChosenEntry();
    // Opens one entry; returns the text the window title shows for it (empty when the entry
    // names no record of the library).
    QString openPlaylistEntry(const PlaylistEntry& entry);
    void mediaEnded();
    // Entry p names no media: carries on as when a media ends.
    void passOver(int p);
    QPushButton* buttonFor(Action action) const;
    // Makes an action available or not; its button shows which.
    void setAvailable(Action action, bool available);
    // Asks the status tick to open the playlist's position.
    void requestOpen();

    MainWindow& window_;
    Playlist& playlist_;
    MediaPlayer& player_;
    const Library& library_;
    const WindowMode& mode_;
    MessageBox& messageBox_;
    EntryCounter counter_;
    PlayTimes playTimes_;
    // Indexed by Action: only Stop is available before anything was opened.
    std::array<bool, 5> available_ = {false, false, true, false, false};
    bool openRequested_ = false;
};
