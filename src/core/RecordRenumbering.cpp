#include "core/RecordRenumbering.h"

#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"

#include <algorithm>

RecordRemoval::RecordRemoval(QList<int> removed) : removed_(std::move(removed))
{
    std::sort(removed_.begin(), removed_.end());
    removed_.erase(std::unique(removed_.begin(), removed_.end()), removed_.end());
}

bool RecordRemoval::removes(int r) const
{
    return std::binary_search(removed_.cbegin(), removed_.cend(), r);
}

int RecordRemoval::newNumber(int r) const
{
    return r - int(std::lower_bound(removed_.cbegin(), removed_.cend(), r) - removed_.cbegin());
}

std::optional<PlaylistEntry> playlistEntryAfterRemoval(const PlaylistEntry& entry, const LibraryTable& table,
                                                       const RecordRemoval& removal)
{
    const int r = recordOfEntry(entry, table);
    if (r == 0)
        return std::nullopt;
    if (removal.removes(r))
        return markedEntry(withoutRecordCode(entry.text), trimBlanks(table.record(r).file));
    if (std::optional<QString> renumbered = renumberedEntry(entry.text, removal))
        return PlaylistEntry{std::move(*renumbered), EntryKind::Library};
    return std::nullopt;
}

std::optional<QString> renumberedEntry(const QString& entry, const RecordRemoval& removal)
{
    const int r = recordOfCodedEntry(entry);
    if (const int n = removal.newNumber(r); n != r)
        return codedEntry(withoutRecordCode(entry), n);
    return std::nullopt;
}
