#include "ui/mpris/RemoteControl.h"

#include "core/Library.h"
#include "player/MediaPlayer.h"
#include "ui/playback/Transport.h"

#include <QDBusObjectPath>
#include <QStringList>
#include <cmath>

namespace {
using Action = Transport::Action;

const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

qint64 microseconds(double seconds)
{
    return qint64(std::llround(seconds * 1e6));
}
} // namespace

RemoteControl::RemoteControl(QObject* parent, Transport& transport, const MediaPlayer& player, const Library& library)
    : QObject(parent), transport_(transport), player_(player), library_(library)
{
    announced_ = announcedProperties();
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

QVariantMap RemoteControl::metadata() const
{
    if (!media_)
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(NoTrack))}};
    QVariantMap data{
        {QStringLiteral("mpris:trackid"),
         QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/vexolin/Track/%1").arg(openings_)))},
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
    media_ = describeEntry(entry, library_.table());
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
    };
}
