#include "core/DroppedFiles.h"

#include "core/PlaylistFile.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>

bool isPlaylistFileName(const QString& path)
{
    return path.right(4).toUpper() == QLatin1String(".M3U")
           || path.right(11).toUpper() == QLatin1String(".VXPLAYLIST");
}

QStringList droppedEntries(const DroppedData& drop, qsizetype room, const LinesReader& readLines,
                           QString* problem, qsizetype* linesLeftOut)
{
    QStringList entries;
    if (linesLeftOut)
        *linesLeftOut = 0;
    if (dropAnswer(drop) == Qt::IgnoreAction)
        return entries;
    auto full = [&] { return entries.size() >= room; };
    for (int pass = 0; pass < MaxDropPasses && !full(); ++pass) {
        if (drop.effect == LinkOnlyEffect) {
            if (!drop.text)
                break; // a text that cannot be taken ends the drop
            entries.append(*drop.text);
            if (full())
                break;
        }
        if (pass >= drop.files.size())
            break;
        const QString& file = drop.files[pass];
        if (isPlaylistFileName(file)) {
            const PlaylistFileRead read = readLines(file);
            entries.append(read.lines.first(std::min(read.lines.size(), room - entries.size())));
            if (linesLeftOut)
                *linesLeftOut += read.linesLeftOut;
            if (!read.ok()) {
                if (problem)
                    *problem = read.problem;
                break;
            }
        } else if (drop.effect == FileManagerEffect) {
            entries.append(file);
        }
    }
    return entries;
}

bool dropTakesEntries(const DroppedData& drop)
{
    if (drop.effect == LinkOnlyEffect)
        return drop.text.has_value();
    if (drop.effect == FileManagerEffect && !drop.files.isEmpty())
        return true;
    return std::any_of(drop.files.begin(), drop.files.end(), isPlaylistFileName);
}

Qt::DropAction dropAnswer(const DroppedData& drop)
{
    if (!dropTakesEntries(drop))
        return Qt::IgnoreAction;
    if (drop.effect & Qt::CopyAction)
        return Qt::CopyAction;
    if (drop.effect & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

namespace {

// Whether the drop offers a real text: Qt would otherwise give the URLs of a file drop as its
// text. Some programs offer only the form with a character set.
bool carriesText(const QMimeData& mime)
{
    return mime.hasFormat(QStringLiteral("text/plain")) || mime.hasFormat(QStringLiteral("text/plain;charset=utf-8"));
}

} // namespace

DroppedData droppedData(const QMimeData& mime, int offeredActions)
{
    DroppedData drop;
    for (const QUrl& url : mime.urls())
        if (url.isLocalFile())
            drop.files.append(url.toLocalFile());
    if (carriesText(mime))
        drop.text = mime.text();
    drop.effect = offeredActions & (Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
    return drop;
}

bool isExternalDrop(const QMimeData* mime, const QObject* source)
{
    if (source || !mime)
        return false;
    if (carriesText(*mime))
        return true;
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}
