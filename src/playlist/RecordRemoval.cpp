#include "playlist/RecordRemoval.h"

#include "app/SortedLists.h"
#include "library/LibraryTable.h"
#include "library/RecordCode.h"
#include "playlist/PlaylistEntry.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <numeric>

namespace {

// The removed record numbers, and where each remaining record moves.
class Removal
{
public:
    explicit Removal(QList<int> removed) : removed_(std::move(removed))
    {
        std::sort(removed_.begin(), removed_.end());
        removed_.erase(std::unique(removed_.begin(), removed_.end()), removed_.end());
    }
    bool removes(int r) const { return std::binary_search(removed_.cbegin(), removed_.cend(), r); }
    // The number record r has after the removal (r when none before it goes).
    int newNumber(int r) const
    {
        return r - int(std::lower_bound(removed_.cbegin(), removed_.cend(), r) - removed_.cbegin());
    }

private:
    QList<int> removed_;
};

} // namespace

void followRecordRemoval(QListWidget* playlist, const LibraryTable& table, QList<int> removed)
{
    const Removal removal(std::move(removed));
    const QSignalBlocker block(playlist);
    for (int i = 0; i < playlist->count(); ++i) {
        QListWidgetItem* item = playlist->item(i);
        const QString text = item->text();
        if (entryKindForPlayer(text) != EntryKind::Library)
            continue;
        const int r = recordOfCodedEntry(text);
        if (r < 1 || r > table.RecordCount())
            continue;
        const QStringView display = visibleTextOfCodedEntry(text);
        if (removal.removes(r))
            item->setText(markedEntry(display, trimBlanks(table.record(r).File)));
        else if (const int n = removal.newNumber(r); n != r)
            item->setText(codedEntry(display, n));
    }
}

void followRecordRemovalInTitles(QListWidget* titles, QList<int> removed)
{
    const Removal removal(std::move(removed));
    const QSignalBlocker block(titles);
    for (int i = titles->count() - 1; i >= 0; --i) {
        QListWidgetItem* item = titles->item(i);
        const QString text = item->text();
        const int r = recordOfCodedEntry(text);
        if (removal.removes(r))
            removeEntry(titles, i);
        else if (const int n = removal.newNumber(r); n != r)
            item->setText(codedEntry(visibleTextOfCodedEntry(text), n));
    }
}

void detachFromLibrary(QListWidget* playlist, const LibraryTable& table)
{
    QList<int> all(table.RecordCount());
    std::iota(all.begin(), all.end(), 1);
    followRecordRemoval(playlist, table, std::move(all));
}
