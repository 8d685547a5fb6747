#include "FakePlayer.h"

bool FakePlayer::open(const QString& pathOrUrl)
{
    calls.append(QStringLiteral("open ") + pathOrUrl);
    if (script.failCalls)
        return false;
    QString stripped = pathOrUrl;
    while (stripped.endsWith(QChar(' ')))
        stripped.chop(1);
    script.fileName = stripped;
    script.position = 0;
    setState(Playing);
    return true;
}

bool FakePlayer::play()
{
    calls.append(QStringLiteral("play"));
    if (script.failCalls)
        return false;
    setState(Playing);
    return true;
}

bool FakePlayer::pause()
{
    calls.append(QStringLiteral("pause"));
    if (script.failCalls)
        return false;
    setState(Paused);
    return true;
}

bool FakePlayer::stop()
{
    calls.append(QStringLiteral("stop"));
    if (script.failCalls)
        return false;
    setState(Stopped);
    return true;
}

bool FakePlayer::previous()
{
    calls.append(QStringLiteral("previous"));
    if (script.failCalls)
        return false;
    if (script.currentEntry > 1)
        --script.currentEntry;
    return true;
}

bool FakePlayer::next()
{
    calls.append(QStringLiteral("next"));
    if (script.failCalls)
        return false;
    if (script.currentEntry < script.entryCount)
        ++script.currentEntry;
    return true;
}

bool FakePlayer::setCurrentPosition(double seconds)
{
    calls.append(QStringLiteral("setCurrentPosition %1").arg(seconds));
    if (script.failCalls)
        return false;
    script.position = seconds;
    emit seeked(seconds);
    return true;
}

bool FakePlayer::setVolume(int percent)
{
    calls.append(QStringLiteral("setVolume %1").arg(percent));
    if (script.failCalls)
        return false;
    percent = qBound(0, percent, 100);
    if (percent != script.volume) {
        script.volume = percent;
        emit volumeChanged(percent);
    }
    return true;
}

std::optional<int> FakePlayer::currentEntry() const
{
    if (!script.hasEntries)
        return std::nullopt;
    return script.currentEntry;
}

std::optional<int> FakePlayer::entryCount() const
{
    if (!script.hasEntries)
        return std::nullopt;
    return script.entryCount;
}

void FakePlayer::emitError(const QString& text)
{
    script.errorDescription = text;
    emit error();
}

void FakePlayer::setState(int state)
{
    const int old = script.state;
    script.state = state;
    if (state != old)
        emit stateChanged(old, state);
}
