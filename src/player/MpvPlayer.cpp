#include "player/MpvPlayer.h"

#include "core/MediaAddress.h"
#include "player/MpvVideoWindow.h"

#include <QDir>
#include <QVarLengthArray>
#include <QWidget>
#include <clocale>
#include <mpv/client.h>
#include <utility>

namespace {
// Handed to mpv instead of a refused address: no stream handler takes it, so loading fails.
constexpr char RefusedStream[] = "vexolin-refused://";
}

MpvPlayer::MpvPlayer(Mode mode, QObject* parent) : MediaPlayer(parent), mode_(mode)
{
    // mpv refuses to start unless numbers are formatted the C way; QApplication has already
    // applied the user's locale by now.
    std::setlocale(LC_NUMERIC, "C");

    mpv_ = mpv_create();
    if (!mpv_) {
        error_ = tr("Cannot start the media player (mpv_create failed)");
        return;
    }
    static const char* const options[][2] = {
        {"keep-open", "yes"},  // the last entry stays loaded at its end (eof-reached)
        {"idle", "yes"},
        {"audio-fallback-to-null", "yes"},
        {"ytdl", "no"},
        {"load-scripts", "no"},
        {"config", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"osc", "no"},
        {"terminal", "no"},
        // Scripts that only keys or the on-screen console reach, neither of which the window
        // passes on: each would run a Lua interpreter on a thread of its own.
        {"load-stats-overlay", "no"},
        {"load-osd-console", "no"},
        {"load-auto-profiles", "no"},
        // How the sound server (PulseAudio, PipeWire) lists the program's stream.
        {"audio-client-name", "Vexolin"},
    };
    for (const auto& option : options)
        mpv_set_option_string(mpv_, option[0], option[1]);
    if (mode == Embedded) {
        mpv_set_option_string(mpv_, "vo", "libmpv");
    } else {
        mpv_set_option_string(mpv_, "vo", "null");
        mpv_set_option_string(mpv_, "ao", "null");
    }

    const int initialized = mpv_initialize(mpv_);
    if (initialized < 0) {
        error_ = tr("Cannot start the media player (%1)")
                     .arg(QString::fromUtf8(mpv_error_string(initialized)));
        mpv_terminate_destroy(mpv_);
        mpv_ = nullptr;
        return;
    }
    mpv_observe_property(mpv_, 0, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_, 0, "pause", MPV_FORMAT_FLAG);
    mpv_observe_property(mpv_, 0, "seekable", MPV_FORMAT_FLAG);
    mpv_hook_add(mpv_, 0, "on_load", 0);
    // Called on mpv's threads: handle the events on this object's thread.
    mpv_set_wakeup_callback(
        mpv_,
        [](void* self) {
            QMetaObject::invokeMethod(static_cast<MpvPlayer*>(self), &MpvPlayer::drainEvents,
                                      Qt::QueuedConnection);
        },
        this);

    if (mode == Embedded) {
        video_ = new MpvVideoWindow(mpv_);
        connect(video_, &MpvVideoWindow::renderContextReady, this, &MpvPlayer::videoReady);
    }
}

MpvPlayer::~MpvPlayer()
{
    if (!mpv_)
        return;
    // No wake-up is running once this returns; queued ones die with this object.
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    // The render context must be freed (by the video window, with its GL context current) before
    // the core goes away. The host owns the window.
    if (video_)
        delete video_->host();
    mpv_terminate_destroy(mpv_);
}

// Every change of the load state, in one place.
MpvPlayer::Load MpvPlayer::nextLoad(Load now, Change change)
{
    const bool stopped = now == Load::Stopped || now == Load::StoppedLoadingEntry;
    // Waiting for the video or stopped before loading, nothing of this media is with mpv: what
    // mpv still reports belongs to a media that open() or stop() has ended.
    const bool withMpv = now != Load::WaitingForVideo && now != Load::StoppedUnloaded;
    switch (change) {
    case Change::HandedToMpv:
        return Load::Loading;
    case Change::HeldForVideo:
        return Load::WaitingForVideo;
    case Change::OpenFailed:
        return Load::NoMedia;
    case Change::Played:
        if (isLoaded(now))
            return Load::Loaded;
        // StoppedUnloaded stays: play() hands the media to mpv again.
        return now == Load::StoppedLoadingEntry ? Load::Loading : now;
    case Change::StopAsked:
        if (now == Load::NoMedia)
            return now;
        return isLoaded(now) ? Load::Stopped : Load::StoppedUnloaded;
    case Change::LeftEnd:
        return now == Load::AtEnd ? Load::Loaded : now;
    case Change::LastEntryEnded:
        return now == Load::Loaded ? Load::AtEnd : now;
    case Change::EntryStarted:
        if (!withMpv)
            return now;
        return stopped ? Load::StoppedLoadingEntry : Load::Loading;
    case Change::EntryLoaded:
        if (!withMpv || isLoaded(now))
            return now;
        return stopped ? Load::Stopped : Load::Loaded;
    case Change::EntryEnded:
        if (!withMpv)
            return now;
        return stopped ? Load::StoppedLoadingEntry : Load::NoMedia;
    case Change::EntryFailed:
        return withMpv ? Load::NoMedia : now;
    }
    return now;
}

void MpvPlayer::change(Change change)
{
    const Load next = nextLoad(load_, change);
    // A seek mpv was carrying out is over once its entry is no longer loaded.
    if (isLoaded(load_) && !isLoaded(next))
        seek_.reset();
    load_ = next;
}

bool MpvPlayer::isLoaded(Load load)
{
    return load == Load::Loaded || load == Load::AtEnd || load == Load::Stopped;
}

bool MpvPlayer::hasMedia() const
{
    return load_ != Load::NoMedia;
}

bool MpvPlayer::open(const QString& pathOrUrl)
{
    // Paths from the library are padded with blanks to a fixed width.
    qsizetype length = pathOrUrl.size();
    while (length > 0 && pathOrUrl.at(length - 1) == u' ')
        --length;
    const QString path = pathOrUrl.left(length);

    if (!mpv_)
        return false;
    fileName_ = path;
    seek_.reset();
    nesting_.clear();
    refusedEntries_.clear();
    if (path.isEmpty())
        return failOpen(tr("Cannot open file: no file name given"));
    // Local files go as absolute paths, which mpv takes neither for a stream nor for its input.
    address_ = playerAddress(path, QDir::currentPath());
    if (address_.isEmpty())
        return failOpen(tr("Cannot open file: %1 (neither a file nor a network stream)").arg(path));
    setFlag("pause", false);
    const bool ok = load();
    publishState();
    return ok;
}

bool MpvPlayer::load()
{
    if (mode_ == Embedded && video_ && !video_->hasRenderContext()) {
        // Loading now would make mpv open a window of its own: wait for the video's context,
        // made when its window first shows. What played before stops meanwhile.
        video_->showVideo();
        entryId_ = -1;
        command({"stop"});
        change(Change::HeldForVideo);
        return true;
    }
    return loadNow();
}

bool MpvPlayer::loadNow()
{
    entryId_ = -1;  // events about entries before this load are ignored
    change(Change::HandedToMpv);
    const QByteArray file = address_.toUtf8();
    const int result = command({"loadfile", file.constData(), "replace"});
    if (result < 0)
        return failOpen(tr("Cannot open file: %1 (%2)").arg(fileName_, QString::fromUtf8(mpv_error_string(result))));
    return true;
}

void MpvPlayer::videoReady()
{
    if (load_ != Load::WaitingForVideo)
        return;
    loadNow();
    publishState();
}

bool MpvPlayer::failOpen(const QString& message)
{
    // What played before must not go on under the entry that failed: unload it. Its end is no
    // news to anyone, so events about it are ignored.
    entryId_ = -1;
    change(Change::OpenFailed);
    command({"stop"});
    publishState();
    // Reported once the caller is done opening, as mpv reports a file it cannot load.
    error_ = message;
    QMetaObject::invokeMethod(this, &MpvPlayer::error, Qt::QueuedConnection);
    return false;
}

bool MpvPlayer::play()
{
    if (!mpv_ || !hasMedia())
        return false;
    if (load_ == Load::StoppedUnloaded) {
        nesting_.clear();
        refusedEntries_.clear();
        setFlag("pause", false);
        const bool ok = load();
        publishState();
        return ok;
    }
    // At the end, mpv would only stop again: play it from the start.
    if (load_ == Load::AtEnd)
        seekNow(0);
    change(Change::Played);
    const bool ok = setFlag("pause", false);
    publishState();
    return ok;
}

bool MpvPlayer::pause()
{
    if (!mpv_ || !hasMedia())
        return false;
    const bool ok = setFlag("pause", true);
    publishState();
    return ok;
}

bool MpvPlayer::stop()
{
    if (!mpv_)
        return false;
    // mpv has no stopped-but-loaded state: pause at the start and remember that it is a stop.
    const bool ok = setFlag("pause", true);
    change(Change::StopAsked);
    if (load_ == Load::Stopped) {
        seekNow(0);
    } else if (load_ == Load::StoppedUnloaded) {
        // Not loaded yet (a slow stream, playlists within playlists, a video without its OpenGL
        // context): end the loading; play() loads the media again, from its start.
        entryId_ = -1;
        seek_.reset();
        command({"stop"});
    }
    publishState();
    return ok;
}

bool MpvPlayer::previous()
{
    if (!mpv_ || !hasMedia() || command({"playlist-prev"}) < 0)
        return false;
    // Leaving the end of the last entry: its pause at the end must not hold the new entry.
    if (load_ == Load::AtEnd) {
        change(Change::LeftEnd);
        setFlag("pause", false);
    }
    publishState();
    return true;
}

bool MpvPlayer::next()
{
    if (!mpv_ || !hasMedia() || command({"playlist-next"}) < 0)
        return false;
    publishState();
    return true;
}

double MpvPlayer::currentPosition() const
{
    if (!mpv_ || !hasMedia())
        return -1;
    // Until mpv has carried a seek out, time-pos still tells the old position.
    if (seek_)
        return *seek_;
    return number("time-pos").value_or(0.0);
}

bool MpvPlayer::setCurrentPosition(double seconds)
{
    if (!mpv_ || !hasMedia())
        return false;
    change(Change::LeftEnd);
    if (!isLoaded(load_)) {
        // mpv cannot seek before the file is loaded; do it on file-loaded.
        seek_ = qMax(0.0, seconds);
        return true;
    }
    return seekNow(seconds);
}

bool MpvPlayer::seekNow(double seconds)
{
    // A negative absolute seek would count from the end in mpv.
    seconds = qMax(0.0, seconds);
    const QByteArray target = QByteArray::number(seconds, 'f', 3);
    if (command({"seek", target.constData(), "absolute"}) < 0)
        return false;
    seek_ = seconds;
    return true;
}

bool MpvPlayer::canSeek() const
{
    return mpv_ && isLoaded(load_) && flag("seekable").value_or(false);
}

void MpvPlayer::publishSeekable()
{
    const bool now = canSeek();
    if (now != std::exchange(lastSeekable_, now))
        emit seekableChanged(now);
}

int MpvPlayer::volume() const
{
    return qBound(0, qRound(number("volume").value_or(100.0)), 100);
}

bool MpvPlayer::setVolume(int percent)
{
    percent = qBound(0, percent, 100);
    const int before = volume();
    double value = percent;
    if (!mpv_ || mpv_set_property(mpv_, "volume", MPV_FORMAT_DOUBLE, &value) < 0)
        return false;
    if (percent != before)
        emit volumeChanged(percent);
    return true;
}

double MpvPlayer::duration() const
{
    if (!mpv_ || !isLoaded(load_))
        return 0;
    return number("duration").value_or(0.0);
}

QString MpvPlayer::fileName() const
{
    return fileName_;
}

int MpvPlayer::state() const
{
    if (!mpv_)
        return Stopped;
    switch (load_) {
    case Load::WaitingForVideo:
    case Load::Loading:
    case Load::Loaded:
        return flag("pause").value_or(false) ? Paused : Playing;
    case Load::NoMedia:
    case Load::AtEnd:
    case Load::Stopped:
    case Load::StoppedLoadingEntry:
    case Load::StoppedUnloaded:
        break;
    }
    return Stopped;
}

QString MpvPlayer::errorDescription() const
{
    return error_;
}

std::optional<int> MpvPlayer::currentEntry() const
{
    const auto position = integer("playlist-pos-1");
    return position ? std::optional<int>(int(*position)) : std::nullopt;
}

std::optional<int> MpvPlayer::entryCount() const
{
    const auto count = integer("playlist-count");
    return count ? std::optional<int>(int(*count)) : std::nullopt;
}

void MpvPlayer::setEntryOption(bool on)
{
    entryOption_ = on;
}

QWidget* MpvPlayer::videoWidget()
{
    return video_ ? video_->host() : nullptr;
}

void MpvPlayer::drainEvents()
{
    const QPointer<MpvPlayer> alive(this);
    while (mpv_) {
        const mpv_event* event = mpv_wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
        if (!alive)  // a receiver of a signal deleted the player
            return;
    }
    publishState();
}

// Each case emits last: a receiver may run a nested event loop that drains (and so frees)
// further events.
void MpvPlayer::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PLAYBACK_RESTART:
        // The seek is done; one asked for before loading is still to come.
        if (isLoaded(load_) && seek_)
            emit seeked(*std::exchange(seek_, std::nullopt));
        break;
    case MPV_EVENT_START_FILE:
        if (load_ == Load::WaitingForVideo || load_ == Load::StoppedUnloaded)
            break;  // an entry of the media that open() or stop() ended
        entryId_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        change(Change::EntryStarted);
        break;
    case MPV_EVENT_FILE_LOADED:
        if (entryId_ < 0)  // about a file that open() has since replaced
            break;
        fileLoaded();
        break;
    case MPV_EVENT_END_FILE:
        endFile(*static_cast<const mpv_event_end_file*>(event.data));
        break;
    case MPV_EVENT_HOOK:
        checkLoad();
        mpv_hook_continue(mpv_, static_cast<const mpv_event_hook*>(event.data)->id);
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* property = static_cast<const mpv_event_property*>(event.data);
        if (qstrcmp(property->name, "eof-reached") == 0)
            eofReachedChanged(property->format == MPV_FORMAT_FLAG
                              && *static_cast<const int*>(property->data));
        else if (qstrcmp(property->name, "seekable") == 0)
            publishSeekable();
        break;
    }
    default:
        break;
    }
}

void MpvPlayer::fileLoaded()
{
    // A seek asked for while the entry loaded is made now.
    const std::optional<double> asked = std::exchange(seek_, std::nullopt);
    change(Change::EntryLoaded);
    if (asked)
        seekNow(*asked);
    emit newStream();
}

void MpvPlayer::endFile(const mpv_event_end_file& end)
{
    if (end.reason == MPV_END_FILE_REASON_REDIRECT)
        nesting_.expanded(end.playlist_entry_id, end.playlist_insert_id, end.playlist_insert_num_entries);
    if (end.playlist_entry_id != entryId_)
        return;
    if (end.reason != MPV_END_FILE_REASON_ERROR) {
        change(Change::EntryEnded);
        return;
    }
    change(Change::EntryFailed);
    const auto refused = refusedEntries_.constFind(end.playlist_entry_id);
    if (refused != refusedEntries_.cend())
        error_ = tr("Cannot open file: %1 (neither a file nor a network stream)").arg(*refused);
    else
        error_ = tr("Cannot open file: %1 (%2)")
                     .arg(entryFileName(end.playlist_entry_id), QString::fromUtf8(mpv_error_string(end.error)));
    emit error();
}

void MpvPlayer::checkLoad()
{
    char* name = mpv_get_property_string(mpv_, "stream-open-filename");
    if (!name)
        return;
    const QString given = QString::fromUtf8(name);
    mpv_free(name);
    const QString address = playerAddress(given, QDir::currentPath());
    if (address.isEmpty()) {
        refusedEntries_.insert(entryId_, given);
        mpv_set_property_string(mpv_, "stream-open-filename", RefusedStream);
        return;
    }
    if (address != given)
        mpv_set_property_string(mpv_, "stream-open-filename", address.toUtf8().constData());
    if (entryId_ < 0)  // an entry of a media that open() or stop() has since ended
        return;
    switch (nesting_.loading(entryId_, address)) {
    case PlaylistNesting::Verdict::Load:
        return;
    case PlaylistNesting::Verdict::IncludesItself:
        failOpen(tr("Cannot open file: %1 (a playlist that includes itself)").arg(given));
        return;
    case PlaylistNesting::Verdict::TooDeep:
        failOpen(tr("Cannot open file: %1 (playlists nested more than %2 deep)")
                     .arg(given).arg(PlaylistNesting::MaxDepth));
        return;
    }
}

void MpvPlayer::eofReachedChanged(bool reached)
{
    if (!reached) {
        change(Change::LeftEnd);
        return;
    }
    if (isLoaded(load_))
        seek_.reset();  // a seek that ran into the end is over as well
    // Only a playing or paused media ends: a stop has rewound it, whatever mpv reports late.
    if (load_ != Load::Loaded)
        return;
    // Inner entries of a playlist reach their end too, just before the next one starts, and the
    // notice may arrive late. Only the last entry counts: reading the position before the flag
    // makes sure that both describe the same entry.
    const auto position = integer("playlist-pos");
    const auto count = integer("playlist-count");
    if (!position || !count || *position != *count - 1 || flag("eof-reached") != true)
        return;
    change(Change::LastEntryEnded);
    emit endOfStream(0);
}

void MpvPlayer::publishState()
{
    publishSeekable();
    const int now = state();
    if (now == lastState_)
        return;
    const int old = std::exchange(lastState_, now);
    emit stateChanged(old, now);
}

QString MpvPlayer::entryFileName(qint64 entryId) const
{
    const qint64 count = integer("playlist-count").value_or(0);
    for (qint64 i = 0; i < count; ++i) {
        const QByteArray prefix = "playlist/" + QByteArray::number(i);
        if (integer((prefix + "/id").constData()) != entryId)
            continue;
        if (char* name = mpv_get_property_string(mpv_, (prefix + "/filename").constData())) {
            const QString text = QString::fromUtf8(name);
            mpv_free(name);
            // The media itself is named as open() was given it.
            return text == address_ ? fileName_ : text;
        }
    }
    return fileName_;
}

int MpvPlayer::command(std::initializer_list<const char*> args)
{
    if (!mpv_)
        return MPV_ERROR_UNINITIALIZED;
    QVarLengthArray<const char*, 8> argv(args.begin(), args.end());
    argv.append(nullptr);
    return mpv_command(mpv_, argv.data());
}

bool MpvPlayer::setFlag(const char* name, bool value)
{
    int flagValue = value ? 1 : 0;
    return mpv_ && mpv_set_property(mpv_, name, MPV_FORMAT_FLAG, &flagValue) >= 0;
}

std::optional<bool> MpvPlayer::flag(const char* name) const
{
    int value = 0;
    if (!mpv_ || mpv_get_property(mpv_, name, MPV_FORMAT_FLAG, &value) < 0)
        return std::nullopt;
    return value != 0;
}

std::optional<double> MpvPlayer::number(const char* name) const
{
    double value = 0;
    if (!mpv_ || mpv_get_property(mpv_, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

std::optional<qint64> MpvPlayer::integer(const char* name) const
{
    int64_t value = 0;
    if (!mpv_ || mpv_get_property(mpv_, name, MPV_FORMAT_INT64, &value) < 0)
        return std::nullopt;
    return qint64(value);
}
