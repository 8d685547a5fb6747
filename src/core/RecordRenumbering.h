#pragma once

#include "core/PlaylistEntry.h"

#include <QList>
#include <QString>
#include <optional>

class LibraryTable;

// Playlist and title list entries name their records by number, and removing records renumbers
// the ones after them. A RecordRemoval tells where each record goes; the functions below say
// what becomes of an entry. Numbers may come in any order and more than once.
class RecordRemoval
{
public:
    explicit RecordRemoval(QList<int> removed);

    // Whether record r is removed.
    bool removes(int r) const;
    // The number record r has after the removal (r when none before it goes).
    int newNumber(int r) const;

private:
    QList<int> removed_; // sorted, each once
};

// A playlist entry after the removal, computed before the records leave table; nothing when it
// stays as it is. A library entry of a removed record becomes a marked entry of its file, so it
// keeps playing what it played; one of a later record takes its new number. Other kinds, and
// library entries whose number names no record of table, stay.
std::optional<PlaylistEntry> playlistEntryAfterRemoval(const PlaylistEntry& entry, const LibraryTable& table,
                                                       const RecordRemoval& removal);

// A coded entry of a record that is not removed, with its record's new number; nothing when the
// number stays.
std::optional<QString> renumberedEntry(const QString& codedEntry, const RecordRemoval& removal);
