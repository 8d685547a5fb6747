#pragma once

#include "core/PlaylistEntry.h"

#include <QList>

class QListWidget;

// The playlist control's entries. Each item shows its entry's text and keeps the entry's kind
// (EntryKindRole), decided when the entry entered the playlist.
inline constexpr int EntryKindRole = Qt::UserRole + 1;

// The entry at row, and every entry in order.
PlaylistEntry entryAt(const QListWidget* playlist, int row);
QList<PlaylistEntry> playlistEntries(const QListWidget* playlist);

// Appends entries at the end while the playlist has room (it holds at most PlaylistCapacity);
// returns how many went in.
int appendEntries(QListWidget* playlist, QList<PlaylistEntry> entries);
// Replaces the entry at row; no selection handling runs.
void setEntryAt(QListWidget* playlist, int row, const PlaylistEntry& entry);
// Puts entries in the place of all entries; no selection handling runs.
void replaceEntries(QListWidget* playlist, const QList<PlaylistEntry>& entries);
