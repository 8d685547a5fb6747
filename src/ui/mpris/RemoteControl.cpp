#include "ui/mpris/RemoteControl.h"

#include "core/Library.h"
#include "core/MediaAddress.h"
#include "core/PlaylistEntry.h"
#include "player/MediaPlayer.h"
#include "ui/playback/Transport.h"

#include <QDBusObjectPath>
#include <QDir>
#include <QStringList>
#include <QUrl>
#include <cmath>

namespace {
using Action = Transport::Action;

const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

qint64 microseconds(double seconds)
{
    return qint64(std::llround(seconds * 1e6));
}
} // namespace

RemoteControl::RemoteControl(QObject* parent, Transport& transport, MediaPlayer& player, const Library& library)
    : QObject(parent), transport_(transport), player_(player), library_(library)
{
    announced_ = announcedProperties();
    connect(&player_, &MediaPlayer::seeked, this, [this](double seconds) { emit seeked(microseconds(seconds)); });
    // What the player changes by itself is announced at once, not only at the next status tick.
    connect(&player_, &MediaPlayer::stateChanged, this, &RemoteControl::announceChanges);
    connect(&player_, &MediaPlayer::seekableChanged, this, &RemoteControl::announceChanges);
    connect(&player_, &MediaPlayer::volumeChanged, this, &RemoteControl::announceChanges);
}

void RemoteControl::play()
{
    transport_.carryOut(Action::Play);
}

void RemoteControl::pause()
{
    transport_.carryOut(Action::Pause);
}

void RemoteControl::stop()
{
    transport_.carryOut(Action::Stop);
}

void RemoteControl::next()
{
    transport_.carryOut(Action::NextEntry);
}

void RemoteControl::previous()
{
    transport_.carryOut(Action::PreviousEntry);
}

void RemoteControl::playPause()
{
    if (transport_.isAvailable(Action::Pause))
        pause();
    else
        play();
}

// MPRIS asks whether the open media can be played or paused at all, not whether the call would
// change anything now: a playing media "can play", a paused one "can pause" (players whose
// CanPlay turns false while they play are passed over by playerctl and hidden by desktop media
// widgets). So: the play or the pause button is enabled, i.e. something is open and playable.
bool RemoteControl::canPlay() const
{
    return transport_.isAvailable(Action::Play) || transport_.isAvailable(Action::Pause);
}

// The pause button is enabled, or the media is paused already.
bool RemoteControl::canPause() const
{
    return transport_.isAvailable(Action::Pause)
           || (transport_.isAvailable(Action::Play) && playbackStatus() == QLatin1String("Paused"));
}

void RemoteControl::seek(qint64 offset)
{
    if (!canSeek())
        return;
    const qint64 target = qMax<qint64>(0, position() + offset);
    const double length = player_.duration();
    if (length > 0 && target > microseconds(length)) {
        next();
        return;
    }
    player_.setCurrentPosition(double(target) / 1e6);
}

void RemoteControl::setPosition(const QString& trackId, qint64 position)
{
    if (!canSeek() || !media_ || trackId != this->trackId() || position < 0)
        return;
    const double length = player_.duration();
    if (length > 0 && position > microseconds(length))
        return;
    player_.setCurrentPosition(double(position) / 1e6);
}

double RemoteControl::volume() const
{
    return player_.volume() / 100.0;
}

void RemoteControl::setVolume(double volume)
{
    player_.setVolume(int(std::lround(qBound(0.0, volume, 1.0) * 100)));
}

void RemoteControl::setRate(double rate)
{
    if (rate == 0.0)
        pause();
}

QString RemoteControl::openUri(const QString& uri)
{
    // A file URI opens its local path, so the entry reads as the path a file dialog gives.
    const QString address = addressKind(uri) == AddressKind::FileUrl ? QUrl(uri).toLocalFile() : uri;
    if (address.isEmpty() || playerAddress(address, QDir::currentPath()).isEmpty())
        return QStringLiteral("%1 is neither a file nor a network stream the player takes").arg(uri);
    if (!openAddress_)
        return QStringLiteral("nothing opens addresses now");
    return openAddress_(address);
}

bool RemoteControl::canSeek() const
{
    return media_.has_value() && player_.canSeek();
}

bool RemoteControl::canGoNext() const
{
    return transport_.isAvailable(Action::NextEntry);
}

bool RemoteControl::canGoPrevious() const
{
    return transport_.isAvailable(Action::PreviousEntry);
}

QString RemoteControl::playbackStatus() const
{
    switch (player_.state()) {
    case MediaPlayer::Playing: return QStringLiteral("Playing");
    case MediaPlayer::Paused: return QStringLiteral("Paused");
    case MediaPlayer::Stopped: return QStringLiteral("Stopped");
    default: // a passing state of the player: what was announced last still holds
        return announced_.value(QStringLiteral("PlaybackStatus"), QStringLiteral("Stopped")).toString();
    }
}

QString RemoteControl::trackId() const
{
    return media_ ? QStringLiteral("/org/vexolin/Track/%1").arg(openings_) : NoTrack;
}

QVariantMap RemoteControl::metadata() const
{
    if (!media_)
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(NoTrack))}};
    QVariantMap data{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId()))},
        {QStringLiteral("xesam:title"), media_->title},
        {QStringLiteral("xesam:url"), media_->url},
    };
    if (!media_->artist.isEmpty())
        data.insert(QStringLiteral("xesam:artist"), QStringList{media_->artist});
    if (const double length = player_.duration(); length > 0)
        data.insert(QStringLiteral("mpris:length"), qlonglong(microseconds(length)));
    return data;
}

qint64 RemoteControl::position() const
{
    return microseconds(qMax(0.0, player_.currentPosition()));
}

void RemoteControl::followOpenedEntry(const PlaylistEntry& entry)
{
    const bool another = !media_ || entry.text != lastOpenedText_;
    media_ = describeEntry(entry, library_.table());
    lastOpenedText_ = entry.text;
    if (another)
        ++openings_;
}

void RemoteControl::announceChanges()
{
    const QVariantMap now = announcedProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (announced_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    announced_ = now;
    if (!changed.isEmpty())
        emit propertiesChanged(changed);
}

QVariantMap RemoteControl::announcedProperties() const
{
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus()},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("CanPlay"), canPlay()},
        {QStringLiteral("CanPause"), canPause()},
        {QStringLiteral("CanGoNext"), canGoNext()},
        {QStringLiteral("CanGoPrevious"), canGoPrevious()},
        {QStringLiteral("CanSeek"), canSeek()},
        {QStringLiteral("Volume"), volume()},
    };
}
