// Any bytes as a database file: parsing never crashes, keeps only complete records within the
// library's capacity, and a complete result accounts for every line.
#include "library/DatabaseFormat.h"
#include "library/TextLines.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DatabaseContents contents = parseDatabase(bytes, QStringLiteral("/db/Fuzz.VxDatabase"));
    const qsizetype lines = splitLines(bytes).size();
    if (contents.records.size() > size_t(LibraryCapacity))
        std::abort();
    if (contents.complete && qsizetype(contents.records.size()) * 4 != lines)
        std::abort();
    for (const LibraryRecord& r : contents.records) {
        if (r.Artist.size() > ArtistWidth || r.Title.size() > TitleWidth || r.Genre.size() > GenreWidth)
            std::abort();
        if (r.Artist.endsWith(QChar(' ')) || r.Title.endsWith(QChar(' ')))
            std::abort();
    }
    return 0;
}
