#include "core/DatabaseFormat.h"

#include "core/QuickHash.h"
#include "core/TextLines.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
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
// bytes: the records' fields then share one string. The lines met are found again through an
// open-addressing table of their hashes, over one buffer of their bytes: a lookup reads little
// memory, and none of what the records hold.
class SharedLines
{
public:
    // expected: about how many distinct lines will come; the table starts large enough for them.
    explicit SharedLines(qsizetype expected = 0) : slots_(hashTableSize(expected)) {}

    // The number of the line's text, counted from 0 in the order the lines were first met.
    qint32 numberOf(QByteArrayView line)
    {
        const quint64 hash = quickHash(line);
        Slot& slot = slots_[find(line, hash)];
        if (slot.text >= 0)
            return slot.text;
        const qint32 number = qint32(texts_.size());
        slot = {quint32(hash), number};
        spans_.push_back({quint32(bytes_.size()), quint32(line.size())});
        bytes_.append(line);
        LineEncoding encoding;
        texts_.push_back(decodeLine(line, &encoding));
        encodings_.push_back(encoding);
        if (texts_.size() * 2 > slots_.size())
            grow();
        return number;
    }
    // Text number n, and how its line was read.
    const QString& text(qint32 n) const { return texts_[size_t(n)]; }
    LineEncoding encoding(qint32 n) const { return encodings_[size_t(n)]; }

private:
    struct Slot
    {
        quint32 hash = 0;
        qint32 text = -1; // -1: a free slot
    };
    // Where a line's bytes lie in bytes_ (lines are at most LongestLine bytes, and no more than
    // one per record is kept).
    struct Span
    {
        quint32 at = 0;
        quint32 length = 0;
    };

    bool holds(qint32 text, QByteArrayView line) const
    {
        const Span span = spans_[size_t(text)];
        return span.length == size_t(line.size())
               && (span.length == 0 || std::memcmp(bytes_.constData() + span.at, line.data(), span.length) == 0);
    }
    size_t find(QByteArrayView line, quint64 hash) const
    {
        const size_t mask = slots_.size() - 1;
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.text < 0 || (slot.hash == quint32(hash) && holds(slot.text, line)))
                return i;
        }
    }
    void grow()
    {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        const size_t mask = slots_.size() - 1;
        for (const Slot& slot : old) {
            if (slot.text < 0)
                continue;
            size_t i = slot.hash & mask;
            while (slots_[i].text >= 0)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::vector<Slot> slots_;
    QByteArray bytes_; // every line met, one after the other
    std::vector<Span> spans_;
    std::vector<QString> texts_;
    std::vector<LineEncoding> encodings_;
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
    // The artists and genres first, so that their few strings lie together in memory while every
    // record takes its share of them. A library holds a few records per artist, many per genre.
    SharedLines artists(kept / 4), genres;
    std::vector<std::array<qint32, 2>> shared(static_cast<size_t>(kept));
    for (qsizetype r = 0; r < kept; ++r)
        shared[size_t(r)] = {artists.numberOf(lines[r * 4]), genres.numberOf(lines[r * 4 + 2])};
    for (qsizetype r = 0; r < kept; ++r) {
        const qsizetype at = r * 4;
        const auto [artist, genre] = shared[size_t(r)];
        std::array<LineEncoding, 4> encodings{artists.encoding(artist), LineEncoding::Ascii, genres.encoding(genre),
                                              LineEncoding::Ascii};
        std::array<QString, 4> stored{artists.text(artist), decodeLine(lines[at + 1], &encodings[1]), genres.text(genre),
                                      decodeLine(lines[at + 3], &encodings[3])};
        for (LineEncoding encoding : encodings)
            contents.style.note(encoding);
        LibraryRecord& record = contents.records.emplace_back();
        record.readStoredLines(std::move(stored), encodings);
        if (record.file.startsWith(QChar('#'))) {
            record.stored.keep(3, record.storedLine(3)); // the table holds the path resolved
            record.file = resolveStoredPath(record.file, databasePath);
        }
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
