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

namespace {

// Where the line ends in data, its line ending included.
qsizetype endOfLine(QByteArrayView data, QByteArrayView line)
{
    qsizetype end = (line.data() - data.data()) + line.size();
    if (end < data.size() && data[end] == '\r')
        ++end;
    if (end < data.size() && data[end] == '\n')
        ++end;
    return end;
}

} // namespace

DatabaseContents parseDatabase(QByteArrayView data, const QString& databasePath)
{
    DatabaseContents contents;
    const QList<QByteArrayView> lines = splitLines(data);
    const qsizetype complete = lines.size() / 4;
    const qsizetype kept = qMin<qsizetype>(complete, LibraryCapacity);
    contents.withinCapacity = kept == complete;
    if (contents.withinCapacity) {
        for (qsizetype at = complete * 4; at < lines.size(); ++at)
            contents.leftOverLines.append(decodeLine(lines[at]));
    }
    contents.recordBytes = kept > 0 ? endOfLine(data, lines[kept * 4 - 1])
                                    : (data.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    contents.records.reserve(size_t(kept));
    for (qsizetype r = 0; r < kept; ++r) {
        const qsizetype at = r * 4;
        LibraryRecord record = LibraryRecord::fromStoredLines(
            {decodeLine(lines[at]), decodeLine(lines[at + 1]), decodeLine(lines[at + 2]), decodeLine(lines[at + 3])});
        if (record.file.startsWith(QChar('#')))
            record.file = resolveStoredPath(record.file, databasePath);
        contents.records.push_back(std::move(record));
    }
    return contents;
}

QByteArray formatRecord(const LibraryRecord& record)
{
    if (record.storedLines.size() == 4)
        return encodeLines(record.storedLines);
    return encodeLines({trimBlanks(record.artist).toString(), trimBlanks(record.title).toString(),
                        trimBlanks(record.genre).toString(), trimBlanks(record.file).toString()});
}
