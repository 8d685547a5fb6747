#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QWidget;

// The embedded media player as the rest of the program sees it. Calls that can fail return a
// result the caller tests; nothing throws. Positions and durations are in seconds.
class MediaPlayer : public QObject
{
    Q_OBJECT
public:
    enum State { Stopped = 0, Paused = 1, Playing = 2 };

    using QObject::QObject;
    ~MediaPlayer() override = default;

    // Loads a file or URL and starts playing it; trailing blanks of a padded path are ignored.
    // A file that cannot be opened (a missing file, an empty name, an address that is neither a
    // file nor a network stream) stops what played and is reported through error().
    virtual bool open(const QString& pathOrUrl) = 0;
    virtual bool play() = 0;
    virtual bool pause() = 0;
    // Stops; the file stays loaded at its position so that play() starts it again.
    virtual bool stop() = 0;
    // Step to the previous / next entry of a media that holds several entries.
    virtual bool previous() = 0;
    virtual bool next() = 0;

    // -1 when nothing is open.
    virtual double currentPosition() const = 0;
    virtual bool setCurrentPosition(double seconds) = 0;
    // Length of the open media; 0 when unknown.
    virtual double duration() const = 0;
    // Whether the open media can jump to another position (not before it is loaded, nor a live
    // stream).
    virtual bool canSeek() const = 0;
    // The sound's loudness in percent, 0..100; it stays as set from one media to the next.
    virtual int volume() const = 0;
    virtual bool setVolume(int percent) = 0;
    // What open() was given last; empty while no media is open.
    virtual QString fileName() const = 0;
    // Stopped, Paused or Playing (other values may appear and are ignored by callers).
    virtual int state() const = 0;
    virtual QString errorDescription() const = 0;
    // Entry numbering inside the open media; nullopt when the player cannot tell.
    virtual std::optional<int> currentEntry() const = 0;
    virtual std::optional<int> entryCount() const = 0;
    // The player's Boolean option that the entry counter sets; no behaviour depends on it.
    virtual void setEntryOption(bool on) = 0;

    // The widget that shows video, or nullptr when this player draws nothing.
    virtual QWidget* videoWidget() { return nullptr; }

    // Whether the player answers as itself. One that loads late (LatePlayer) answers as a player
    // with nothing loaded until then, and says ready() once when it does.
    virtual bool isReady() const { return true; }

signals:
    // The player answers as itself from now on (see isReady()).
    void ready();
    // The end of the last entry of the open media was reached.
    void endOfStream(int result);
    // A new stream (entry) started playing.
    void newStream();
    // Something failed; the text is in errorDescription().
    void error();
    void stateChanged(int oldState, int newState);
    // A jump to another position was carried out; seconds is where playing goes on.
    void seeked(double seconds);
    // Whether the open media can seek changed (canSeek()).
    void seekableChanged(bool canSeek);
    // The volume changed (volume()).
    void volumeChanged(int percent);
};
