#include "core/SelectionSize.h"

#include "core/LibraryTable.h"

#include <QFileInfo>

std::optional<qint64> measuredFileLength(QStringView storedPath)
{
    const QString path = trimTrailingBlanks(storedPath).toString();
    if (path.isEmpty() || path.contains(QLatin1String("://")))
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return std::nullopt;
    return info.size();
}

qint64 addRoundedKilobytes(qint64 kilobytes, qint64 bytes, int sign)
{
    // Exact arithmetic in bytes, then the quotient by 1024 rounded half to even.
    const qint64 total = kilobytes * 1024 + sign * bytes;
    qint64 whole = total / 1024;
    qint64 rest = total % 1024;
    if (rest < 0) {
        whole -= 1;
        rest += 1024;
    }
    if (rest > 512 || (rest == 512 && (whole & 1)))
        whole += 1;
    return whole;
}
