#pragma once

#include <QString>
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

// Reads the entries of a playlist or M3U file; false on a failure, lines holding what was read
// and problem saying why.
using LinesReader = std::function<bool(const QString& path, QStringList& lines, QString* problem)>;

// Whether a file's lines are taken rather than its name: a name ending in .m3u or .vxplaylist,
// in any case.
bool isPlaylistFileName(const QString& path);

// The entries a drop appends, at most room of them. Pass by pass: with a link-only drop the text
// first (a missing text ends the drop), then the pass's file: a playlist or M3U file's lines, or
// with a file manager's drop its name. A file that cannot be read ends the drop; what was
// taken until then stays, and problem (when given) says why.
QStringList droppedEntries(const DroppedData& drop, qsizetype room, const LinesReader& readLines,
                           QString* problem = nullptr);

// Whether droppedEntries takes anything from the drop (files unread): what the drag cursor shows.
bool dropTakesEntries(const DroppedData& drop);

// The files, text and effect of a Qt drop.
DroppedData droppedData(const QMimeData& mime, int offeredActions);

// Whether this handler takes a drag: it comes from another program (no source inside this one,
// so the library lists' own drags pass by) and carries file names or text.
bool isExternalDrop(const QMimeData* mime, const QObject* source);
