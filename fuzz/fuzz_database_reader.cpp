// Any bytes as a database file: parsing never crashes, keeps only complete records within the
// library's capacity, and accounts for every line (LF line ends in bytes without a CR); the file
// reader stops at its line limit.
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
    // Within the library's capacity every line is a record's or one of the unfinished last record's.
    if (contents.withinCapacity
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
    checkFileRead(bytes);
    return 0;
}
