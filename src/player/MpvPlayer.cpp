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

MpvPlayer::MpvPlayer(Mode mode, QObject* parent) : MediaPlayer(parent), m_mode(mode)
{
    // mpv refuses to start unless numbers are formatted the C way; QApplication has already
    // applied the user's locale by now.
    std::setlocale(LC_NUMERIC, "C");

    m_mpv = mpv_create();
    if (!m_mpv) {
        m_error = tr("Cannot start the media player (mpv_create failed)");
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
        // How the sound server (PulseAudio, PipeWire) lists the program's stream.
        {"audio-client-name", "Vexolin"},
    };
    for (const auto& option : options)
        mpv_set_option_string(m_mpv, option[0], option[1]);
    if (mode == Embedded) {
        mpv_set_option_string(m_mpv, "vo", "libmpv");
    } else {
        mpv_set_option_string(m_mpv, "vo", "null");
        mpv_set_option_string(m_mpv, "ao", "null");
    }

    const int initialized = mpv_initialize(m_mpv);
    if (initialized < 0) {
        m_error = tr("Cannot start the media player (%1)")
                      .arg(QString::fromUtf8(mpv_error_string(initialized)));
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return;
    }
    mpv_observe_property(m_mpv, 0, "eof-reached", MPV_FORMAT_FLAG);
    mpv_observe_property(m_mpv, 0, "pause", MPV_FORMAT_FLAG);
    mpv_hook_add(m_mpv, 0, "on_load", 0);
    // Called on mpv's threads: handle the events on this object's thread.
    mpv_set_wakeup_callback(
        m_mpv,
        [](void* self) {
            QMetaObject::invokeMethod(static_cast<MpvPlayer*>(self), &MpvPlayer::drainEvents,
                                      Qt::QueuedConnection);
        },
        this);

    if (mode == Embedded) {
        m_video = new MpvVideoWindow(m_mpv);
        connect(m_video, &MpvVideoWindow::renderContextReady, this, &MpvPlayer::loadPending);
    }
}

MpvPlayer::~MpvPlayer()
{
    if (!m_mpv)
        return;
    // No wake-up is running once this returns; queued ones die with this object.
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    // The render context must be freed (by the video window, with its GL context current) before
    // the core goes away. The host owns the window.
    if (m_video)
        delete m_video->host();
    mpv_terminate_destroy(m_mpv);
}

bool MpvPlayer::open(const QString& pathOrUrl)
{
    // Paths from the library are padded with blanks to a fixed width.
    qsizetype length = pathOrUrl.size();
    while (length > 0 && pathOrUrl.at(length - 1) == u' ')
        --length;
    const QString path = pathOrUrl.left(length);

    if (!m_mpv)
        return false;
    m_fileName = path;
    m_stopped = false;
    m_atEnd = false;
    m_pendingSeek.reset();
    m_seekTarget.reset();
    m_pendingPath.clear();
    m_reopenOnPlay = false;
    m_nesting.clear();
    m_refusedEntries.clear();
    if (path.isEmpty())
        return failOpen(tr("Cannot open file: no file name given"));
    // Local files go as absolute paths, which mpv takes neither for a stream nor for its input.
    m_address = playerAddress(path, QDir::currentPath());
    if (m_address.isEmpty())
        return failOpen(tr("Cannot open file: %1 (neither a file nor a network stream)").arg(path));
    setFlag("pause", false);

    if (m_mode == Embedded && m_video && !m_video->hasRenderContext()) {
        // Loading now would make mpv open a window of its own: wait for the video's context,
        // made when its window first shows.
        m_video->showVideo();
        command({"stop"});
        m_entryId = -1;
        m_loading = false;
        m_loaded = false;
        m_pendingPath = m_address;
        publishState();
        return true;
    }
    const bool ok = loadNow(m_address);
    publishState();
    return ok;
}

bool MpvPlayer::loadNow(const QString& path)
{
    m_entryId = -1;  // events about entries before this load are ignored
    m_loading = true;
    m_loaded = false;
    const QByteArray file = path.toUtf8();
    const int result = command({"loadfile", file.constData(), "replace"});
    if (result < 0)
        return failOpen(tr("Cannot open file: %1 (%2)").arg(m_fileName, QString::fromUtf8(mpv_error_string(result))));
    return true;
}

bool MpvPlayer::failOpen(const QString& message)
{
    // What played before must not go on under the entry that failed: unload it. Its end is no
    // news to anyone, so events about it are ignored.
    m_entryId = -1;
    m_loading = false;
    m_loaded = false;
    command({"stop"});
    publishState();
    // Reported once the caller is done opening, as mpv reports a file it cannot load.
    m_error = message;
    QMetaObject::invokeMethod(this, &MpvPlayer::error, Qt::QueuedConnection);
    return false;
}

void MpvPlayer::loadPending()
{
    if (m_pendingPath.isEmpty())
        return;
    loadNow(std::exchange(m_pendingPath, QString()));
    publishState();
}

bool MpvPlayer::play()
{
    if (!m_mpv || !hasMedia())
        return false;
    if (std::exchange(m_reopenOnPlay, false)) {
        m_stopped = false;
        m_nesting.clear();
        m_refusedEntries.clear();
        setFlag("pause", false);
        const bool ok = loadNow(m_address);
        publishState();
        return ok;
    }
    // At the end, mpv would only stop again: play it from the start.
    if (m_atEnd) {
        m_atEnd = false;
        seekNow(0);
    }
    m_stopped = false;
    const bool ok = setFlag("pause", false);
    publishState();
    return ok;
}

bool MpvPlayer::pause()
{
    if (!m_mpv || !hasMedia())
        return false;
    const bool ok = setFlag("pause", true);
    publishState();
    return ok;
}

bool MpvPlayer::stop()
{
    if (!m_mpv)
        return false;
    // mpv has no stopped-but-loaded state: pause at the start and remember that it is a stop.
    const bool ok = setFlag("pause", true);
    m_stopped = true;
    m_atEnd = false;
    if (m_loaded) {
        seekNow(0);
    } else if (m_loading) {
        // Still loading (a slow stream, playlists within playlists): end that, and load again on
        // play().
        m_entryId = -1;
        m_loading = false;
        m_reopenOnPlay = true;
        m_pendingSeek.reset();
        command({"stop"});
    } else if (hasMedia()) {
        m_pendingSeek = 0.0;
    }
    publishState();
    return ok;
}

bool MpvPlayer::previous()
{
    if (!m_mpv || !hasMedia() || command({"playlist-prev"}) < 0)
        return false;
    // Leaving the end of the last entry: its pause at the end must not hold the new entry.
    if (std::exchange(m_atEnd, false))
        setFlag("pause", false);
    publishState();
    return true;
}

bool MpvPlayer::next()
{
    if (!m_mpv || !hasMedia() || command({"playlist-next"}) < 0)
        return false;
    publishState();
    return true;
}

double MpvPlayer::currentPosition() const
{
    if (!m_mpv || !hasMedia())
        return -1;
    // Until mpv has carried a seek out, time-pos still tells the old position.
    if (m_pendingSeek)
        return *m_pendingSeek;
    if (m_seekTarget)
        return *m_seekTarget;
    return number("time-pos").value_or(0.0);
}

bool MpvPlayer::setCurrentPosition(double seconds)
{
    if (!m_mpv || !hasMedia())
        return false;
    m_atEnd = false;
    if (!m_loaded) {
        // mpv cannot seek before the file is loaded; do it on file-loaded.
        m_pendingSeek = qMax(0.0, seconds);
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
    m_seekTarget = seconds;
    return true;
}

double MpvPlayer::duration() const
{
    if (!m_mpv || !m_loaded)
        return 0;
    return number("duration").value_or(0.0);
}

QString MpvPlayer::fileName() const
{
    return m_fileName;
}

int MpvPlayer::state() const
{
    if (!m_mpv || !hasMedia() || m_stopped || m_atEnd)
        return Stopped;
    return flag("pause").value_or(false) ? Paused : Playing;
}

QString MpvPlayer::errorDescription() const
{
    return m_error;
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
    m_entryOption = on;
}

QWidget* MpvPlayer::videoWidget()
{
    return m_video ? m_video->host() : nullptr;
}

bool MpvPlayer::hasMedia() const
{
    return !m_pendingPath.isEmpty() || m_loading || m_loaded || m_reopenOnPlay;
}

void MpvPlayer::drainEvents()
{
    const QPointer<MpvPlayer> alive(this);
    while (m_mpv) {
        const mpv_event* event = mpv_wait_event(m_mpv, 0);
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
        m_seekTarget.reset();
        break;
    case MPV_EVENT_START_FILE:
        m_seekTarget.reset();
        m_entryId = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        m_loading = true;
        m_loaded = false;
        break;
    case MPV_EVENT_FILE_LOADED:
        if (m_entryId < 0)  // about a file that open() has since replaced
            break;
        m_loading = false;
        m_loaded = true;
        if (m_pendingSeek)
            seekNow(*std::exchange(m_pendingSeek, std::nullopt));
        emit newStream();
        break;
    case MPV_EVENT_END_FILE:
        endFile(*static_cast<const mpv_event_end_file*>(event.data));
        break;
    case MPV_EVENT_HOOK:
        checkLoad();
        mpv_hook_continue(m_mpv, static_cast<const mpv_event_hook*>(event.data)->id);
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* property = static_cast<const mpv_event_property*>(event.data);
        if (qstrcmp(property->name, "eof-reached") == 0)
            eofReachedChanged(property->format == MPV_FORMAT_FLAG
                              && *static_cast<const int*>(property->data));
        break;
    }
    default:
        break;
    }
}

void MpvPlayer::endFile(const mpv_event_end_file& end)
{
    if (end.reason == MPV_END_FILE_REASON_REDIRECT)
        m_nesting.expanded(end.playlist_entry_id, end.playlist_insert_id, end.playlist_insert_num_entries);
    if (end.playlist_entry_id != m_entryId)
        return;
    m_loading = false;
    m_loaded = false;
    if (end.reason != MPV_END_FILE_REASON_ERROR)
        return;
    const auto refused = m_refusedEntries.constFind(end.playlist_entry_id);
    if (refused != m_refusedEntries.cend())
        m_error = tr("Cannot open file: %1 (neither a file nor a network stream)").arg(*refused);
    else
        m_error = tr("Cannot open file: %1 (%2)")
                      .arg(entryFileName(end.playlist_entry_id), QString::fromUtf8(mpv_error_string(end.error)));
    emit error();
}

void MpvPlayer::checkLoad()
{
    char* name = mpv_get_property_string(m_mpv, "stream-open-filename");
    if (!name)
        return;
    const QString given = QString::fromUtf8(name);
    mpv_free(name);
    const QString address = playerAddress(given, QDir::currentPath());
    if (address.isEmpty()) {
        m_refusedEntries.insert(m_entryId, given);
        mpv_set_property_string(m_mpv, "stream-open-filename", RefusedStream);
        return;
    }
    if (address != given)
        mpv_set_property_string(m_mpv, "stream-open-filename", address.toUtf8().constData());
    if (m_entryId < 0)  // an entry of a media that open() or stop() has since ended
        return;
    switch (m_nesting.loading(m_entryId, address)) {
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
        m_atEnd = false;
        return;
    }
    m_seekTarget.reset();  // a seek that ran into the end is over as well
    if (m_atEnd || !m_loaded)
        return;
    // Inner entries of a playlist reach their end too, just before the next one starts, and the
    // notice may arrive late. Only the last entry counts: reading the position before the flag
    // makes sure that both describe the same entry.
    const auto position = integer("playlist-pos");
    const auto count = integer("playlist-count");
    if (!position || !count || *position != *count - 1 || flag("eof-reached") != true)
        return;
    m_atEnd = true;
    emit endOfStream(0);
}

void MpvPlayer::publishState()
{
    const int now = state();
    if (now == m_lastState)
        return;
    const int old = std::exchange(m_lastState, now);
    emit stateChanged(old, now);
}

QString MpvPlayer::entryFileName(qint64 entryId) const
{
    const qint64 count = integer("playlist-count").value_or(0);
    for (qint64 i = 0; i < count; ++i) {
        const QByteArray prefix = "playlist/" + QByteArray::number(i);
        if (integer((prefix + "/id").constData()) != entryId)
            continue;
        if (char* name = mpv_get_property_string(m_mpv, (prefix + "/filename").constData())) {
            const QString text = QString::fromUtf8(name);
            mpv_free(name);
            // The media itself is named as open() was given it.
            return text == m_address ? m_fileName : text;
        }
    }
    return m_fileName;
}

int MpvPlayer::command(std::initializer_list<const char*> args)
{
    if (!m_mpv)
        return MPV_ERROR_UNINITIALIZED;
    QVarLengthArray<const char*, 8> argv(args.begin(), args.end());
    argv.append(nullptr);
    return mpv_command(m_mpv, argv.data());
}

bool MpvPlayer::setFlag(const char* name, bool value)
{
    int flagValue = value ? 1 : 0;
    return m_mpv && mpv_set_property(m_mpv, name, MPV_FORMAT_FLAG, &flagValue) >= 0;
}

std::optional<bool> MpvPlayer::flag(const char* name) const
{
    int value = 0;
    if (!m_mpv || mpv_get_property(m_mpv, name, MPV_FORMAT_FLAG, &value) < 0)
        return std::nullopt;
    return value != 0;
}

std::optional<double> MpvPlayer::number(const char* name) const
{
    double value = 0;
    if (!m_mpv || mpv_get_property(m_mpv, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

std::optional<qint64> MpvPlayer::integer(const char* name) const
{
    int64_t value = 0;
    if (!m_mpv || mpv_get_property(m_mpv, name, MPV_FORMAT_INT64, &value) < 0)
        return std::nullopt;
    return qint64(value);
}
