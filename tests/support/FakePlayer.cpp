#include "FakePlayer.h"

bool FakePlayer::Open(const QString& pathOrUrl)
{
    calls.append(QStringLiteral("Open ") + pathOrUrl);
    if (failCalls)
        return false;
    QString stripped = pathOrUrl;
    while (stripped.endsWith(QChar(' ')))
        stripped.chop(1);
    fileName = stripped;
    position = 0;
    state = Playing;
    return true;
}

bool FakePlayer::Play()
{
    calls.append(QStringLiteral("Play"));
    if (failCalls)
        return false;
    state = Playing;
    return true;
}

bool FakePlayer::Pause()
{
    calls.append(QStringLiteral("Pause"));
    if (failCalls)
        return false;
    state = Paused;
    return true;
}

bool FakePlayer::Stop()
{
    calls.append(QStringLiteral("Stop"));
    if (failCalls)
        return false;
    state = Stopped;
    return true;
}

bool FakePlayer::Previous()
{
    calls.append(QStringLiteral("Previous"));
    if (failCalls)
        return false;
    if (currentEntry > 1)
        --currentEntry;
    return true;
}

bool FakePlayer::Next()
{
    calls.append(QStringLiteral("Next"));
    if (failCalls)
        return false;
    if (currentEntry < entryCount)
        ++currentEntry;
    return true;
}

bool FakePlayer::SetCurrentPosition(double seconds)
{
    calls.append(QStringLiteral("SetCurrentPosition %1").arg(seconds));
    if (failCalls)
        return false;
    position = seconds;
    return true;
}

std::optional<int> FakePlayer::GetCurrentEntry() const
{
    if (!hasEntries)
        return std::nullopt;
    return currentEntry;
}

std::optional<int> FakePlayer::EntryCount() const
{
    if (!hasEntries)
        return std::nullopt;
    return entryCount;
}

void FakePlayer::emitError(const QString& text)
{
    errorDescription = text;
    emit Error();
}
