// Any bytes as a database file: parsing never crashes, keeps only complete records within the
// library's capacity and before any damage, and accounts for every line (LF line ends in bytes
// without a CR); each record is written back as the bytes it was read from; the file reader
// stops at its line limit.
#include "FileReadCheck.h"
#include "core/DatabaseFormat.h"
#include "core/TextLines.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DatabaseContents contents = parseDatabase(bytes, QStringLiteral("/db/Fuzz.VxDatabase"));
    const qsizetype lines = splitLines(bytes).size();
    if (contents.records.size() > size_t(LibraryCapacity))
        std::abort();
    // Within the library's capacity, in an undamaged file, every line is a record's or one of the
    // unfinished last record's.
    if (contents.withinCapacity && contents.damagedFromLine == 0
        && qsizetype(contents.records.size()) * 4 + contents.leftOverLines.size() != lines)
        std::abort();
    if (contents.leftOverLines.size() > 3 || contents.recordBytes > bytes.size())
        std::abort();
    for (const LibraryRecord& r : contents.records) {
        if (r.artist.size() > ArtistWidth || r.title.size() > TitleWidth || r.genre.size() > GenreWidth)
            std::abort();
        if (r.artist.endsWith(QChar(' ')) || r.title.endsWith(QChar(' ')))
            std::abort();
    }
    // Only whole records before the first line holding a NUL byte are kept.
    if (contents.damagedFromLine > 0 && qsizetype(contents.records.size()) * 4 >= contents.damagedFromLine)
        std::abort();
    // A rewrite writes every record back as the bytes it was read from, with the file's line end.
    const QList<QByteArrayView> read = splitLines(bytes);
    const QByteArrayView lineEnd = contents.style.lineEnd();
    for (size_t r = 0; r < contents.records.size(); ++r) {
        const QByteArray written = formatRecord(contents.records[r], contents.style);
        QByteArrayView rest(written);
        for (qsizetype i = qsizetype(r) * 4; i < qsizetype(r) * 4 + 4; ++i) {
            if (!rest.startsWith(read[i]) || !rest.sliced(read[i].size()).startsWith(lineEnd))
                std::abort();
            rest = rest.sliced(read[i].size() + lineEnd.size());
        }
    }
    checkFileRead(bytes);
    return 0;
}
