#include "core/DatabaseFormat.h"

#include "core/NumberedBytes.h"
#include "core/TextLines.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <vector>

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

// The index of the first line holding a NUL byte; -1 when none does.
qsizetype firstLineWithNul(QByteArrayView data, const QList<QByteArrayView>& lines)
{
    const qsizetype nul = data.indexOf('\0');
    if (nul < 0)
        return -1;
    const char* const at = data.data() + nul;
    const auto line = std::upper_bound(lines.cbegin(), lines.cend(), at,
                                       [](const char* p, QByteArrayView l) { return p < l.data() + l.size(); });
    return line - lines.cbegin();
}

// Decodes the lines of a field that many records share (an artist, a genre) once for the same
// bytes: the records' fields then share one string.
class SharedLines
{
public:
    QString decode(QByteArrayView line, LineEncoding* encoding)
    {
        bool added = false;
        const qsizetype number = seen_.numberOf(line, added);
        if (added) {
            Decoded decoded;
            decoded.text = decodeLine(line, &decoded.encoding);
            decoded_.push_back(std::move(decoded));
        }
        const Decoded& found = decoded_[size_t(number)];
        *encoding = found.encoding;
        return found.text;
    }

private:
    struct Decoded
    {
        QString text;
        LineEncoding encoding = LineEncoding::Ascii;
    };
    NumberedBytes seen_;
    std::vector<Decoded> decoded_; // by the number seen_ gave the line
};

} // namespace

DatabaseContents parseDatabase(QByteArrayView data, const QString& databasePath)
{
    DatabaseContents contents;
    contents.style = TextFileStyle(data.contains('\n') && !data.contains('\r'));
    QList<QByteArrayView> lines = splitLines(data);
    if (const qsizetype damaged = firstLineWithNul(data, lines); damaged >= 0) {
        contents.damagedFromLine = damaged + 1;
        lines.resize(damaged - damaged % 4); // the damaged record's first lines go with it
    }
    const qsizetype complete = lines.size() / 4;
    const qsizetype kept = qMin<qsizetype>(complete, LibraryCapacity);
    contents.withinCapacity = kept == complete;
    if (contents.withinCapacity) {
        for (qsizetype at = complete * 4; at < lines.size(); ++at) {
            LineEncoding encoding;
            contents.leftOverLines.append(decodeLine(lines[at], &encoding));
            contents.style.note(encoding);
        }
    }
    contents.recordBytes = kept > 0 ? endOfLine(data, lines[kept * 4 - 1])
                                    : (data.startsWith("\xEF\xBB\xBF") ? 3 : 0);
    contents.records.reserve(size_t(kept));
    SharedLines artists, genres;
    for (qsizetype r = 0; r < kept; ++r) {
        const qsizetype at = r * 4;
        std::array<LineEncoding, 4> encodings;
        std::array<QString, 4> stored{artists.decode(lines[at], &encodings[0]), decodeLine(lines[at + 1], &encodings[1]),
                                      genres.decode(lines[at + 2], &encodings[2]), decodeLine(lines[at + 3], &encodings[3])};
        for (LineEncoding encoding : encodings)
            contents.style.note(encoding);
        LibraryRecord record = LibraryRecord::fromStoredLines(std::move(stored), encodings);
        if (record.file.startsWith(QChar('#'))) {
            record.stored.keep(3, record.storedLine(3)); // the table holds the path resolved
            record.file = resolveStoredPath(record.file, databasePath);
        }
        contents.records.push_back(std::move(record));
    }
    return contents;
}

QByteArray formatRecord(const LibraryRecord& record, const TextFileStyle& style)
{
    QByteArray out;
    const QByteArrayView lineEnd = style.lineEnd();
    auto put = [&](QStringView text, LineEncoding encoding) {
        out.append(encodeLine(text, encoding));
        out.append(lineEnd);
    };
    if (!record.stored.isEmpty()) {
        for (int i = 0; i < 4; ++i)
            put(record.storedLine(i), record.stored.encoding(i));
        return out;
    }
    for (QStringView field : {trimBlanks(record.artist), trimBlanks(record.title), trimBlanks(record.genre),
                              trimBlanks(record.file)})
        put(field, style.encodingFor(field));
    return out;
}
