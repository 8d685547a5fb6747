#include "DatabaseFormat.h"

#include "TextLines.h"

#include <QDir>
#include <QFileInfo>

QString resolveStoredPath(const QString& storedFile, const QString& databasePath)
{
    if (!storedFile.startsWith(QChar('#')) || databasePath.isEmpty())
        return storedFile;
    if (storedFile.startsWith(QLatin1String("#:"))) {
        QString rest = storedFile.mid(2);
        rest.replace(QChar('\\'), QChar('/'));
        while (rest.endsWith(QChar(' ')))
            rest.chop(1);
        while (rest.startsWith(QChar('/')))
            rest.remove(0, 1);
        return QFileInfo(databasePath).absolutePath() + QChar('/') + rest;
    }
    QString resolved = storedFile;
    resolved[0] = databasePath[0];
    return resolved;
}

DatabaseContents parseDatabase(QByteArrayView data, const QString& databasePath)
{
    DatabaseContents contents;
    const QList<QByteArrayView> lines = splitLines(data);
    const qsizetype complete = lines.size() / 4;
    contents.complete = complete * 4 == lines.size();
    const qsizetype kept = qMin<qsizetype>(complete, LibraryCapacity);
    if (kept < complete)
        contents.complete = false;
    contents.records.reserve(size_t(kept));
    for (qsizetype r = 0; r < kept; ++r) {
        const qsizetype at = r * 4;
        LibraryRecord record = LibraryRecord::fromTexts(decodeLine(lines[at]), decodeLine(lines[at + 1]),
                                                        decodeLine(lines[at + 2]), decodeLine(lines[at + 3]));
        if (record.File.startsWith(QChar('#'))) {
            const QString resolved = resolveStoredPath(record.File, databasePath);
            record.File = fixedWidth(resolved, qMax<int>(FileWidth, resolved.size()));
        }
        contents.records.push_back(std::move(record));
    }
    return contents;
}

QByteArray formatRecord(const LibraryRecord& record)
{
    return encodeLines({trimBlanks(record.Artist).toString(), trimBlanks(record.Title).toString(),
                        trimBlanks(record.Genre).toString(), trimBlanks(record.File).toString()});
}
