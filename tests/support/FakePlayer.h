#pragma once

#include "player/MediaPlayer.h"

#include <QStringList>

// A player whose state the test scripts. It records the calls made to it and emits its
// events when the test says so.
class FakePlayer : public MediaPlayer
{
    Q_OBJECT
public:
    using MediaPlayer::MediaPlayer;

    bool open(const QString& pathOrUrl) override;
    bool play() override;
    bool pause() override;
    bool stop() override;
    bool previous() override;
    bool next() override;
    double currentPosition() const override { return script.position; }
    bool setCurrentPosition(double seconds) override;
    double duration() const override { return script.duration; }
    bool canSeek() const override { return script.seekable; }
    int volume() const override { return script.volume; }
    bool setVolume(int percent) override;
    QString fileName() const override { return script.fileName; }
    int state() const override { return script.state; }
    QString errorDescription() const override { return script.errorDescription; }
    std::optional<int> currentEntry() const override;
    std::optional<int> entryCount() const override;
    void setEntryOption(bool on) override { script.entryOption = on; }
    bool isReady() const override { return script.ready; }

    // The scripted state, which the calls above change as a player would.
    struct Script
    {
        double position = -1;
        double duration = 0;
        QString fileName;
        int state = Stopped;
        QString errorDescription;
        bool hasEntries = true; // answers the entry-number probe
        int currentEntry = 1;
        int entryCount = 1;
        bool entryOption = false;
        bool seekable = true;
        int volume = 100;
        bool failCalls = false; // every command reports failure
        bool ready = true;      // false: a player that loads late, until becomeReady()
    };
    Script script;

    // Every call made, as "open <path>", "play", "setCurrentPosition 0", …
    QStringList calls;

    // Changes the state as the player itself would: announced when it changed.
    void setState(int state);
    void emitEndOfStream() { emit endOfStream(0); }
    void becomeReady()
    {
        script.ready = true;
        emit ready();
    }
    void emitSeekable(bool on) { script.seekable = on; emit seekableChanged(on); }
    void emitNewStream() { emit newStream(); }
    void emitError(const QString& text);
};
