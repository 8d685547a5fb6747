#include "ui/mpris/MprisAdaptors.h"

#include "core/MediaAddress.h"
#include "ui/mpris/RemoteControl.h"

#include <QDBusMessage>

namespace {
// The audio and video types the player plays, as the launcher lists them for "Open with".
const QStringList PlayedMimeTypes = {
    QStringLiteral("audio/x-mpegurl"),    QStringLiteral("audio/mpegurl"),     QStringLiteral("audio/mpeg"),
    QStringLiteral("audio/mp4"),          QStringLiteral("audio/aac"),         QStringLiteral("audio/flac"),
    QStringLiteral("audio/ogg"),          QStringLiteral("audio/x-vorbis+ogg"), QStringLiteral("audio/x-opus+ogg"),
    QStringLiteral("audio/x-wav"),        QStringLiteral("audio/x-ms-wma"),    QStringLiteral("audio/x-matroska"),
    QStringLiteral("audio/webm"),         QStringLiteral("audio/x-aiff"),      QStringLiteral("audio/ac3"),
    QStringLiteral("audio/x-wavpack"),    QStringLiteral("audio/x-musepack"),  QStringLiteral("video/mp4"),
    QStringLiteral("video/x-matroska"),   QStringLiteral("video/webm"),        QStringLiteral("video/ogg"),
    QStringLiteral("video/x-msvideo"),    QStringLiteral("video/quicktime"),   QStringLiteral("video/mpeg"),
    QStringLiteral("video/x-ms-wmv"),     QStringLiteral("video/x-flv"),       QStringLiteral("video/3gpp"),
    QStringLiteral("video/mp2t"),
};
} // namespace

MprisRootAdaptor::MprisRootAdaptor(QObject* object, RemoteControl& remote)
    : QDBusAbstractAdaptor(object), remote_(remote)
{
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return playedSchemes();
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return PlayedMimeTypes;
}

void MprisRootAdaptor::Raise()
{
    remote_.requestRaise();
}

void MprisRootAdaptor::Quit()
{
    remote_.quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, RemoteControl& remote, const QDBusConnection& connection)
    : QDBusAbstractAdaptor(object), remote_(remote), connection_(connection)
{
    connect(&remote_, &RemoteControl::seeked, this, &MprisPlayerAdaptor::Seeked);
}

void MprisPlayerAdaptor::setRate(double rate)
{
    remote_.setRate(rate);
}

double MprisPlayerAdaptor::volume() const
{
    return remote_.volume();
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    remote_.setVolume(volume);
}

bool MprisPlayerAdaptor::canSeek() const
{
    return remote_.canSeek();
}

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    remote_.seek(offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    remote_.setPosition(trackId.path(), position);
}

void MprisPlayerAdaptor::OpenUri(const QString& uri, const QDBusMessage& message)
{
    const QString refusal = remote_.openUri(uri);
    if (refusal.isEmpty())
        return;
    message.setDelayedReply(true);
    connection_.send(message.createErrorReply(QDBusError::InvalidArgs, refusal));
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return remote_.playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return remote_.metadata();
}

qlonglong MprisPlayerAdaptor::position() const
{
    return remote_.position();
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return remote_.canGoNext();
}

bool MprisPlayerAdaptor::canGoPrevious() const
{
    return remote_.canGoPrevious();
}

bool MprisPlayerAdaptor::canPlay() const
{
    return remote_.canPlay();
}

bool MprisPlayerAdaptor::canPause() const
{
    return remote_.canPause();
}

void MprisPlayerAdaptor::Next()
{
    remote_.next();
}

void MprisPlayerAdaptor::Previous()
{
    remote_.previous();
}

void MprisPlayerAdaptor::Pause()
{
    remote_.pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    remote_.playPause();
}

void MprisPlayerAdaptor::Stop()
{
    remote_.stop();
}

void MprisPlayerAdaptor::Play()
{
    remote_.play();
}
