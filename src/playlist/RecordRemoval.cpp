#include "playlist/RecordRemoval.h"

#include "library/LibraryTable.h"
#include "library/RecordCode.h"
#include "playlist/PlaylistEntry.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <numeric>

void followRecordRemoval(QListWidget* playlist, const LibraryTable& table, QList<int> removed)
{
    std::sort(removed.begin(), removed.end());
    removed.erase(std::unique(removed.begin(), removed.end()), removed.end());
    const QSignalBlocker block(playlist);
    for (int i = 0; i < playlist->count(); ++i) {
        QListWidgetItem* item = playlist->item(i);
        const QString text = item->text();
        if (entryKindForPlayer(text) != EntryKind::Library)
            continue;
        const int r = recordOfCodedEntry(text);
        if (r < 1 || r > table.RecordCount())
            continue;
        const auto below = std::lower_bound(removed.cbegin(), removed.cend(), r);
        const int shift = int(below - removed.cbegin());
        const QStringView display = QStringView(text).left(text.indexOf(NBSP));
        if (below != removed.cend() && *below == r)
            item->setText(markedEntry(display, trimBlanks(table.record(r).File)));
        else if (shift > 0)
            item->setText(codedEntry(display, r - shift));
    }
}

void detachFromLibrary(QListWidget* playlist, const LibraryTable& table)
{
    QList<int> all(table.RecordCount());
    std::iota(all.begin(), all.end(), 1);
    followRecordRemoval(playlist, table, std::move(all));
}
