// Playlist and M3U file reader: any bytes read as entries without a crash, one entry per line
// (LF line ends in bytes without a CR), no entry holding its file's line ending; writing the
// entries back then reading them again gives the same entries; the file reader stops at its
// line limit.
#include "FileReadCheck.h"
#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Lines by the file rule: each CR ends one (a LF right after it belongs to it), or each LF when
// the bytes hold no CR at all; text after the last ending is one more. A UTF-8 byte-order mark
// at the start belongs to no line.
qsizetype countLines(QByteArrayView bytes)
{
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF")))
        bytes = bytes.sliced(3);
    const char ending = bytes.contains('\r') ? '\r' : '\n';
    qsizetype lines = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != ending)
            continue;
        ++lines;
        if (ending == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
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
    const QChar ending = bytes.contains('\r') ? QChar('\r') : QChar('\n');
    for (const QString& entry : entries)
        if (entry.contains(ending))
            std::abort();
    checkFileRead(bytes);

    // No record is in an empty table, so every entry is written unchanged.
    static const LibraryTable noRecords;
    const QByteArray written = playlistFileBytes(entriesOfTexts(entries), noRecords);
    if (playlistLines(written) != entries)
        std::abort();
    return 0;
}
