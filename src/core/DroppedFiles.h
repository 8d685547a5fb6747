#pragma once

#include <QString>
#include <QtCore/qnamespace.h>
#include <QStringList>
#include <functional>
#include <optional>

class QMimeData;
class QObject;

// What a drop from another program brings.
struct DroppedData
{
    QStringList files;           // local file names, in the order the drop lists them
    std::optional<QString> text; // the dropped text, when the drop carries one
    int effect = 0;              // the operations offered: 1 copy, 2 move, 4 link
};

// The effect values that matter: a link-only drop adds its text; a file manager's drop
// (copy, move and link offered) adds its files.
inline constexpr int LinkOnlyEffect = 4;
inline constexpr int FileManagerEffect = 7;
// The most files one drop takes.
inline constexpr int MaxDropPasses = 100000;

struct PlaylistFileRead;

// Reads the entries of a playlist or M3U file (readPlaylistFile, or a stand-in).
using LinesReader = std::function<PlaylistFileRead(const QString& path)>;

// Whether a file's lines are taken rather than its name: a name ending in .m3u or .vxplaylist,
// in any case.
bool isPlaylistFileName(const QString& path);

// The entries a drop appends, at most room of them; none when dropAnswer refuses it. Pass by pass: with a link-only drop the text
// first (a missing text ends the drop), then the pass's file: a playlist or M3U file's lines, or
// with a file manager's drop its name. A file that cannot be read ends the drop; what was
// taken until then stays, and problem (when given) says why. linesLeftOut (when given) receives
// the lines of playlist files past what a playlist holds, which the reader counted but did not
// keep.
QStringList droppedEntries(const DroppedData& drop, qsizetype room, const LinesReader& readLines,
                           QString* problem = nullptr, qsizetype* linesLeftOut = nullptr);

// Whether droppedEntries takes anything from the drop (files unread).
bool dropTakesEntries(const DroppedData& drop);

// How a drag from another program is answered, from entering to the drop: Copy when the source
// offers it, else Link, as long as the drop takes something; otherwise Qt::IgnoreAction, the drop
// refused (the no-drop cursor). Never Move: a source that deletes what was moved would delete
// the user's file, so a drag that offers only Move is refused.
Qt::DropAction dropAnswer(const DroppedData& drop);

// The files, text and effect of a Qt drop.
DroppedData droppedData(const QMimeData& mime, int offeredActions);

// Whether this handler takes a drag: it comes from another program (no source inside this one,
// so the library lists' own drags pass by) and carries file names or text.
bool isExternalDrop(const QMimeData* mime, const QObject* source);
