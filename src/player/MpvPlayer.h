#pragma once

#include "core/PlaylistNesting.h"
#include "player/MediaPlayer.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <initializer_list>
#include <optional>

struct mpv_handle;
struct mpv_event;
struct mpv_event_end_file;
class MpvVideoWindow;

// MediaPlayer on top of libmpv. Used from the GUI thread only; mpv's wake-ups are queued to it.
//
// Headless draws nothing (vo=null, ao=null): for tests and tools.
// Embedded draws video into videoWidget(), which stays hidden, and OpenGL unloaded, until the
// first open() shows it; media opened before the video has its OpenGL context is loaded as soon
// as the context exists (the main window must be shown for that).
class MpvPlayer : public MediaPlayer
{
    Q_OBJECT
public:
    enum Mode { Headless, Embedded };

    explicit MpvPlayer(Mode mode = Headless, QObject* parent = nullptr);
    ~MpvPlayer() override;

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

    QWidget* videoWidget() override;

private:
    // Where the opened media stands. mpv itself only loads and unloads; that a media is held by
    // stop() or finished is this player's to remember.
    enum class Load {
        NoMedia,          // nothing to play: none opened, the open failed, or between two entries
        WaitingForVideo,  // opened before the video had its OpenGL context: handed to mpv once it has
        Loading,          // handed to mpv, not loaded yet
        Loaded,           // playing or paused, as mpv's pause flag says
        AtEnd,            // loaded; the end of its last entry was reached and reported
        Stopped,          // loaded and held paused by stop(), at the start unless moved since
        StoppedLoadingEntry,  // held by stop() while another entry of the media loads (previous(),
                              // next()): it loads paused and stays stopped
        StoppedUnloaded,  // stop() came before the media was loaded: nothing is with mpv, and
                          // play() hands the media to mpv again
    };
    // What changes the load state; nextLoad() says to what.
    enum class Change {
        HandedToMpv,      // loadfile was sent
        HeldForVideo,     // the media waits for the video's OpenGL context
        OpenFailed,       // nothing could be loaded: what played is unloaded
        Played,
        StopAsked,
        LeftEnd,          // a position was set, previous() stepped back, or mpv left the end
        LastEntryEnded,   // the end of the last entry was reached
        EntryStarted,     // mpv's start-file
        EntryLoaded,      // mpv's file-loaded
        EntryEnded,       // mpv's end-file, the entry not failed
        EntryFailed,      // mpv's end-file with an error
    };
    static Load nextLoad(Load now, Change change);
    void change(Change change);
    static bool isLoaded(Load load);
    bool hasMedia() const;

    // Hands the opened media to mpv now, or as soon as the video has its OpenGL context.
    bool load();
    bool loadNow();
    void videoReady();
    // An open that cannot load anything: stops what played and reports the message as an error.
    bool failOpen(const QString& message);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void fileLoaded();
    void endFile(const mpv_event_end_file& end);
    // Every media the player is about to load, an entry of an expanded playlist included, passes
    // here first: refused addresses fail as a file that cannot be opened, and a playlist that
    // includes itself or nests too deep ends the media with an error.
    void checkLoad();
    void eofReachedChanged(bool reached);
    void publishState();
    bool seekNow(double seconds);
    // Tells whether the media can seek, when that changed since it was told last.
    void publishSeekable();

    int command(std::initializer_list<const char*> args);
    bool setFlag(const char* name, bool value);
    std::optional<bool> flag(const char* name) const;
    std::optional<double> number(const char* name) const;
    std::optional<qint64> integer(const char* name) const;
    QString entryFileName(qint64 entryId) const;

    mpv_handle* mpv_ = nullptr;
    Mode mode_;
    QPointer<MpvVideoWindow> video_;

    QString fileName_;         // what open() was given, without trailing blanks
    QString address_;          // the same as handed to mpv
    Load load_ = Load::NoMedia;
    // The position asked for that mpv has not reached yet, which is what currentPosition()
    // tells meanwhile: while the media is loaded, a seek mpv is carrying out (until its
    // playback-restart); before, a seek made as soon as the entry has loaded.
    std::optional<double> seek_;
    PlaylistNesting nesting_;
    QHash<qint64, QString> refusedEntries_;  // entry id -> address refused for it
    QString error_;
    qint64 entryId_ = -1;      // playlist entry mpv is working on; -1 until it starts one of
                               // this media (events about others are ignored)
    bool entryOption_ = false;
    int lastState_ = Stopped;
    bool lastSeekable_ = false;
};
