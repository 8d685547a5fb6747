#include "core/DatabaseFormat.h"

#include "core/TextLines.h"

#include <QDir>
#include <QFileInfo>

QString resolveStoredPath(const QString& storedFile, const QString& databasePath)
{
    if (!storedFile.startsWith(QChar('#')) || databasePath.isEmpty())
        return storedFile;
    const bool databaseHasDriveLetter = databasePath.size() >= 2 && databasePath[1] == QChar(':')
                                        && databasePath[0].isLetter();
    if (storedFile.startsWith(QLatin1String("#:")) && !databaseHasDriveLetter) {
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
        if (record.file.startsWith(QChar('#')))
            record.file = resolveStoredPath(record.file, databasePath);
        contents.records.push_back(std::move(record));
    }
    return contents;
}

QByteArray formatRecord(const LibraryRecord& record)
{
    return encodeLines({trimBlanks(record.artist).toString(), trimBlanks(record.title).toString(),
                        trimBlanks(record.genre).toString(), trimBlanks(record.file).toString()});
}
