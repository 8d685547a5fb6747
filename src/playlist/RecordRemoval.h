#pragma once

#include <QList>

class LibraryTable;
class QListWidget;

// Playlist and title list entries name their records by number, and removing records renumbers
// the ones after them. These keep such entries on their records. Numbers in `removed` may come
// in any order and more than once.

// Library entries of the playlist. Called before the records are removed from table: an entry of
// a removed record becomes a marked entry of its file, so it keeps playing what it played; an
// entry of a later record takes its new number. Numbers outside the table are ignored.
void followRecordRemoval(QListWidget* playlist, const LibraryTable& table, QList<int> removed);

// Coded entries of the title list: an entry of a removed record is taken out (a selected one
// leaves no selection), an entry of a later record takes its new number. The list's selection
// handling does not run.
void followRecordRemovalInTitles(QListWidget* titles, QList<int> removed);

// Before the table is replaced by another database: every library entry becomes a marked entry of
// its file, since its record number would name a record of the other database.
void detachFromLibrary(QListWidget* playlist, const LibraryTable& table);
