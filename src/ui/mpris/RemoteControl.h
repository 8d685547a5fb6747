#pragma once

#include "core/MediaDescription.h"

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

struct PlaylistEntry;
class Library;
class MediaPlayer;
class Transport;

// The player as the desktop's media keys and media widgets see it (MPRIS 2, without the bus):
// commands that act as the transport buttons do, the play state, what is playing and where, and
// an announcement of every property that changed. The bus side is MprisService's.
class RemoteControl : public QObject
{
    Q_OBJECT
public:
    // Appends an address to the playlist and plays it; returns why it cannot, or nothing.
    using AddressOpener = std::function<QString(const QString& address)>;

    RemoteControl(QObject* parent, Transport& transport, MediaPlayer& player, const Library& library);
    // Who opens the addresses the desktop asks to play (OpenUri); until one is set, none opens.
    void setAddressOpener(AddressOpener opener) { openAddress_ = std::move(opener); }

    // The desktop asks to see the window, or to end the program as closing the window does.
    void requestRaise() { emit raiseRequested(); }
    void quit() { emit quitRequested(); }

    // Each acts as a click on its button: nothing while that button is disabled.
    void play();
    void pause();
    void stop();
    void next();
    void previous();
    // Pause while the pause button is enabled, otherwise play while the play button is.
    void playPause();
    // Jumps by offset microseconds from the play position (to the start at most; past the end,
    // to the next entry, as Next does); nothing while the media cannot seek.
    void seek(qint64 offset);
    // Jumps to a position (microseconds) of the track trackId names, when it is the open one and
    // the position lies within it; nothing while the media cannot seek.
    void setPosition(const QString& trackId, qint64 position);
    // The sound's loudness, 0.0 to 1.0; a lower value is 0, a higher one 1.
    double volume() const;
    void setVolume(double volume);
    // The playback rate: only 1.0. Asked for 0.0 it pauses, as MPRIS says; any other rate is
    // ignored.
    void setRate(double rate);
    // Appends the address (a file:// URI, a local path or a network stream) to the playlist and
    // plays it; returns why it cannot (an address the player does not take, a mode of the
    // window that adds nothing), or nothing.
    QString openUri(const QString& uri);

    // Whether the open media can be played (also while it plays) and paused (also while it is
    // paused), in MPRIS's sense; the previous and next entry, while their buttons are enabled.
    bool canPlay() const;
    bool canPause() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    // Whether the open media can jump to another position.
    bool canSeek() const;
    // "Playing", "Paused" or "Stopped".
    QString playbackStatus() const;
    // mpris:trackid; for an opened entry also xesam:title, xesam:artist (a record's), xesam:url
    // and, once the player knows it, mpris:length.
    QVariantMap metadata() const;
    // The track id of the opened entry; the "no track" path when none is.
    QString trackId() const;
    // The play position in microseconds.
    qint64 position() const;

    // A playlist entry was opened: the metadata describe it from now on.
    void followOpenedEntry(const PlaylistEntry& entry);
    // Announces the properties that changed since the last announcement (the status tick).
    void announceChanges();

signals:
    // Property name to new value, for the org.mpris.MediaPlayer2.Player interface.
    void propertiesChanged(const QVariantMap& changed);
    // The play position jumped (microseconds): MPRIS's Seeked.
    void seeked(qint64 position);
    void raiseRequested();
    void quitRequested();

private:
    // The properties announced when they change; the position is not, clients ask for it.
    QVariantMap announcedProperties() const;

    Transport& transport_;
    MediaPlayer& player_;
    const Library& library_;
    AddressOpener openAddress_;
    std::optional<MediaDescription> media_;
    // Numbers the opened entries: another entry opened is a track of its own; the same entry
    // opened again (a retry, an entry passed over and back) stays the same track.
    quint64 openings_ = 0;
    QString lastOpenedText_;
    QVariantMap announced_;
};
