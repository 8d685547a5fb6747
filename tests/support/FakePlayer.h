#pragma once

#include "playback/MediaPlayer.h"

#include <QStringList>

// A player whose state the test scripts. It records the calls made to it and emits its
// events when the test says so.
class FakePlayer : public MediaPlayer
{
    Q_OBJECT
public:
    using MediaPlayer::MediaPlayer;

    bool Open(const QString& pathOrUrl) override;
    bool Play() override;
    bool Pause() override;
    bool Stop() override;
    bool Previous() override;
    bool Next() override;
    double CurrentPosition() const override { return position; }
    bool SetCurrentPosition(double seconds) override;
    double Duration() const override { return duration; }
    QString FileName() const override { return fileName; }
    int PlayState() const override { return state; }
    QString ErrorDescription() const override { return errorDescription; }
    std::optional<int> GetCurrentEntry() const override;
    std::optional<int> EntryCount() const override;
    void SetEntryOption(bool on) override { entryOption = on; }

    // Scripted state.
    double position = -1;
    double duration = 0;
    QString fileName;
    int state = Stopped;
    QString errorDescription;
    bool hasEntries = true; // answers the entry-number probe
    int currentEntry = 1;
    int entryCount = 1;
    bool entryOption = false;
    bool failCalls = false; // every command reports failure

    // Every call made, as "Open <path>", "Play", "SetCurrentPosition 0", …
    QStringList calls;

    void emitEndOfStream() { emit EndOfStream(0); }
    void emitNewStream() { emit NewStream(); }
    void emitError(const QString& text);
};
