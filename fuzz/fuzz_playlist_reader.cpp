// Playlist and M3U file reader: any bytes read as entries without a crash, one entry per line,
// and writing the entries back then reading them again gives the same entries.
#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Lines by the file rule: each CR ends one (a LF right after it belongs to it); text after the
// last ending is one more. A UTF-8 byte-order mark at the start belongs to no line.
qsizetype countLines(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF")))
        bytes = bytes.sliced(3);
    qsizetype lines = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            continue;
        ++lines;
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return lines + (start < bytes.size() ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList entries = playlistLines(bytes);
    if (entries.size() != countLines(bytes))
        std::abort();

    // No record is in an empty table, so every entry is written unchanged.
    static const LibraryTable noRecords;
    const QByteArray written = playlistFileBytes(entriesOfTexts(entries), noRecords);
    if (playlistLines(written) != entries)
        std::abort();
    return 0;
}
