#include "ui/mpris/MprisAdaptors.h"

#include "ui/mpris/RemoteControl.h"

MprisRootAdaptor::MprisRootAdaptor(QObject* object, RemoteControl& remote)
    : QDBusAbstractAdaptor(object), remote_(remote)
{
}

void MprisRootAdaptor::Raise()
{
    remote_.requestRaise();
}

void MprisRootAdaptor::Quit()
{
    remote_.quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, RemoteControl& remote)
    : QDBusAbstractAdaptor(object), remote_(remote)
{
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
