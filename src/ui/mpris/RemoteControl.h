#pragma once

#include "core/MediaDescription.h"

#include <QObject>
#include <QString>
#include <QVariantMap>
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
    RemoteControl(QObject* parent, Transport& transport, const MediaPlayer& player, const Library& library);

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

    // Whether the open media can be played (also while it plays) and paused (also while it is
    // paused), in MPRIS's sense; the previous and next entry, while their buttons are enabled.
    bool canPlay() const;
    bool canPause() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    // "Playing", "Paused" or "Stopped".
    QString playbackStatus() const;
    // mpris:trackid; for an opened entry also xesam:title, xesam:artist (a record's), xesam:url
    // and, once the player knows it, mpris:length.
    QVariantMap metadata() const;
    // The play position in microseconds.
    qint64 position() const;

    // A playlist entry was opened: the metadata describe it from now on.
    void followOpenedEntry(const PlaylistEntry& entry);
    // Announces the properties that changed since the last announcement (the status tick).
    void announceChanges();

signals:
    // Property name to new value, for the org.mpris.MediaPlayer2.Player interface.
    void propertiesChanged(const QVariantMap& changed);
    void raiseRequested();
    void quitRequested();

private:
    // The properties announced when they change; the position is not, clients ask for it.
    QVariantMap announcedProperties() const;

    Transport& transport_;
    const MediaPlayer& player_;
    const Library& library_;
    std::optional<MediaDescription> media_;
    // Numbers the opened entries, so that every opening is a track of its own.
    quint64 openings_ = 0;
    QVariantMap announced_;
};
