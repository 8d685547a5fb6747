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
    QString fileName() const override;
    int state() const override;
    QString errorDescription() const override;
    std::optional<int> currentEntry() const override;
    std::optional<int> entryCount() const override;
    void setEntryOption(bool on) override;

    QWidget* videoWidget() override;

private:
    void loadPending();
    bool loadNow(const QString& path);
    // An open that cannot load anything: stops what played and reports the message as an error.
    bool failOpen(const QString& message);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void endFile(const mpv_event_end_file& end);
    // Every media the player is about to load, an entry of an expanded playlist included, passes
    // here first: refused addresses fail as a file that cannot be opened, and a playlist that
    // includes itself or nests too deep ends the media with an error.
    void checkLoad();
    void eofReachedChanged(bool reached);
    void publishState();
    bool hasMedia() const;
    bool seekNow(double seconds);

    int command(std::initializer_list<const char*> args);
    bool setFlag(const char* name, bool value);
    std::optional<bool> flag(const char* name) const;
    std::optional<double> number(const char* name) const;
    std::optional<qint64> integer(const char* name) const;
    QString entryFileName(qint64 entryId) const;

    mpv_handle* m_mpv = nullptr;
    Mode m_mode;
    QPointer<MpvVideoWindow> m_video;

    QString m_fileName;        // what open() was given, without trailing blanks
    QString m_address;         // the same as handed to mpv
    bool m_reopenOnPlay = false;  // stopped while loading: play() opens m_address again
    PlaylistNesting m_nesting;
    QHash<qint64, QString> m_refusedEntries;  // entry id -> address refused for it
    QString m_pendingPath;     // embedded mode: waiting for the render context
    QString m_error;
    qint64 m_entryId = -1;     // playlist entry mpv is working on; -1 right after open()
    bool m_loading = false;    // open() or start-file seen, file-loaded not yet
    bool m_loaded = false;     // between file-loaded and end-file
    bool m_stopped = false;    // stop() was called: report Stopped rather than Paused
    bool m_atEnd = false;      // end of the last entry reached and reported
    bool m_entryOption = false;
    std::optional<double> m_pendingSeek;  // a seek asked for before the file was loaded
    std::optional<double> m_seekTarget;   // a seek mpv has not finished yet
    int m_lastState = Stopped;
};
