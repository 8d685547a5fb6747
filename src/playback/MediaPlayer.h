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
    virtual bool Open(const QString& pathOrUrl) = 0;
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    // Stops; the file stays loaded at its position so that Play starts it again.
    virtual bool Stop() = 0;
    // Step to the previous / next entry of a media that holds several entries.
    virtual bool Previous() = 0;
    virtual bool Next() = 0;

    // -1 when nothing is open.
    virtual double CurrentPosition() const = 0;
    virtual bool SetCurrentPosition(double seconds) = 0;
    // Length of the open media; 0 when unknown.
    virtual double Duration() const = 0;
    // What Open was given last; empty while no media is open.
    virtual QString FileName() const = 0;
    // Stopped, Paused or Playing (other values may appear and are ignored by callers).
    virtual int PlayState() const = 0;
    virtual QString ErrorDescription() const = 0;
    // Entry numbering inside the open media; nullopt when the player cannot tell.
    virtual std::optional<int> GetCurrentEntry() const = 0;
    virtual std::optional<int> EntryCount() const = 0;
    // The player's Boolean option that the entry counter sets; no behaviour depends on it.
    virtual void SetEntryOption(bool on) = 0;

    // The widget that shows video, or nullptr when this player draws nothing.
    virtual QWidget* videoWidget() { return nullptr; }

signals:
    // The end of the last entry of the open media was reached.
    void EndOfStream(int result);
    // A new stream (entry) started playing.
    void NewStream();
    // Something failed; the text is in ErrorDescription().
    void Error();
    void PlayStateChange(int oldState, int newState);
};
