// The drop handler's input: a drop's file URLs, its text and its offered actions, as a program
// outside could send them, through to the entries the drop appends.
//
// Input: byte 0 the offered actions, byte 1 the playlist's free room, then the uri-list bytes,
// optionally followed by a NUL and the text bytes.
#include "core/DroppedFiles.h"
#include "core/PlaylistFile.h"

#include <QMimeData>
#include <cstdint>
#include <cstdlib>

namespace {

// Stands for the disk: a "playlist" holds its own name's lines; names holding "fail" fail after
// giving what they hold.
PlaylistFileRead readFromName(const QString& path)
{
    PlaylistFileRead read{playlistLines(path.toUtf8()), path.size(), {}};
    if (path.contains(QLatin1String("fail")))
        read.problem = path + QStringLiteral(": failed");
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int actions = data[0];
    const qsizetype room = data[1] * 4;
    const QByteArray rest(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const qsizetype nul = rest.indexOf('\0');

    QMimeData mime;
    mime.setData(QStringLiteral("text/uri-list"), nul < 0 ? rest : rest.left(nul));
    if (nul >= 0)
        mime.setData(QStringLiteral("text/plain"), rest.mid(nul + 1));
    (void)isExternalDrop(&mime, nullptr);

    const DroppedData drop = droppedData(mime, actions);
    if (drop.effect & ~7)
        std::abort();
    qsizetype leftOut = -1;
    const QStringList entries = droppedEntries(drop, room, readFromName, nullptr, &leftOut);
    if (entries.size() > room || leftOut < 0)
        std::abort();
    // A drop is answered with a copy or a link, or refused; a refused one takes nothing.
    const Qt::DropAction answer = dropAnswer(drop);
    if (answer == Qt::MoveAction || (answer != Qt::IgnoreAction && !(drop.effect & answer)))
        std::abort();
    if (answer == Qt::IgnoreAction && (!entries.isEmpty() || leftOut != 0))
        std::abort();
    // A link-only drop with a text starts with that text.
    if (drop.effect == LinkOnlyEffect && drop.text && room > 0 && entries.value(0) != *drop.text)
        std::abort();
    // Without a link-only text or a file manager's offer, only playlist files add anything.
    if (drop.effect != LinkOnlyEffect && drop.effect != FileManagerEffect) {
        bool anyPlaylist = false;
        for (const QString& f : drop.files)
            anyPlaylist = anyPlaylist || isPlaylistFileName(f);
        if (!anyPlaylist && !entries.isEmpty())
            std::abort();
    }
    // The drag cursor promises a drop exactly when the drop takes something.
    if (room > 0 && answer == Qt::IgnoreAction && !entries.isEmpty())
        std::abort();
    return 0;
}
