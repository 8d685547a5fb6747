#include "core/StatusTexts.h"

#include <cmath>
#include <limits>

qint32 wholeSeconds(double seconds)
{
    if (!(seconds > 0)) // negative, zero or NaN
        return 0;
    constexpr double largest = std::numeric_limits<qint32>::max();
    return seconds >= largest ? std::numeric_limits<qint32>::max() : qint32(std::floor(seconds));
}

QString clockText(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds - 3600 * h) / 60;
    const qint64 s = seconds - 3600 * h - 60 * m;
    const QChar zero(u'0');
    return QStringLiteral("%1:%2:%3").arg(h, 2, 10, zero).arg(m, 2, 10, zero).arg(s, 2, 10, zero);
}

QString sizeText(qint64 kilobytes)
{
    if (kilobytes < 1)
        return QStringLiteral(" 0 Kilobyte");
    if (kilobytes < 1024)
        return QStringLiteral(" %1 Kilobyte").arg(kilobytes);
    // Megabytes rounded to two decimals, an exact half upwards, in whole numbers so that no
    // binary fraction can tip the rounding.
    qint64 whole = kilobytes / 1024;
    qint64 hundredths = ((kilobytes % 1024) * 200 + 1024) / 2048;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    QString number = QString::number(whole);
    if (hundredths != 0) {
        QString decimals = QStringLiteral("%1").arg(hundredths, 2, 10, QChar(u'0'));
        if (decimals.endsWith(u'0'))
            decimals.chop(1);
        number += u'.' + decimals;
    }
    return u' ' + number + QStringLiteral(" Megabyte");
}

QString statusLineText(int artists, int titles, int playlistEntries)
{
    return QStringLiteral("Artists: %1    Titles: %2    Playlist: %3 files")
        .arg(artists)
        .arg(titles)
        .arg(playlistEntries);
}

QString selectionLineText(int playlistEntries, qint64 kilobytes)
{
    return QStringLiteral(" %1 files selected,").arg(playlistEntries) + sizeText(kilobytes);
}
