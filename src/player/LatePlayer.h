#pragma once

#include "player/MediaPlayer.h"

#include <QLibrary>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class QThread;

// The media player that loads after the window shows. The real player (the libmpv one, with the
// few hundred libraries libmpv and FFmpeg bring) lives in a module of its own, which load()
// reads on a thread of its own; until the module is in, this player keeps what it is asked
// (the media opened, stopped, paused or moved, the volume) and answers as a player holding that
// media unloaded would. Once the module is in, it makes the real player, says it is ready, hands
// over what it kept, and from then on forwards every call to it and every signal from it.
//
// A module that cannot be loaded leaves a player that opens nothing: an open reports why
// through error().
class LatePlayer : public MediaPlayer
{
    Q_OBJECT
public:
    // `mode` is handed to the module's factory.
    LatePlayer(const QString& modulePath, int mode, QObject* parent = nullptr);
    ~LatePlayer() override;

    // Starts reading the module on a thread of its own, unless it is read already or being read.
    void load();

    bool isReady() const override { return ready_; }

    bool open(const QString& pathOrUrl) override;
    bool play() override;
    bool pause() override;
    bool stop() override;
    bool previous() override;
    bool next() override;

    double currentPosition() const override;
    bool setCurrentPosition(double seconds) override;
    double duration() const override;
    bool canSeek() const override;
    int volume() const override;
    bool setVolume(int percent) override;
    QString fileName() const override;
    int state() const override;
    QString errorDescription() const override;
    std::optional<int> currentEntry() const override;
    std::optional<int> entryCount() const override;
    void setEntryOption(bool on) override;

    // Where the video shows: a widget that takes the real player's video once it is made.
    QWidget* videoWidget() override;

    // The name the module's factory is exported under: `MediaPlayer* (int mode)`, the player
    // made with `new`, owned by the caller.
    static constexpr char FactoryName[] = "vexolinMakePlayer";

private:
    // What was asked before the real player existed.
    struct Kept
    {
        QString fileName;  // opened, without trailing blanks; empty when nothing was
        bool paused = false;
        bool stopped = false;
        std::optional<double> position;
    };

    // The module is read (or failed to be): makes the real player and hands over what was kept.
    void moduleLoaded();
    void adoptVideoWidget();
    void connectSignals();
    // Announces the state when it changed since it was announced last.
    void publishState();
    bool hasKeptMedia() const { return !kept_.fileName.isEmpty(); }

    QLibrary module_;
    int mode_;
    QThread* loader_ = nullptr;
    bool loadFailed_ = false;
    bool ready_ = false;
    bool handingOver_ = false; // what was kept goes to the real player
    std::unique_ptr<MediaPlayer> real_;
    Kept kept_;
    int volume_ = 100;
    bool entryOption_ = false;
    QString error_;
    int lastState_ = Stopped;
    QPointer<QWidget> videoSlot_;
};
