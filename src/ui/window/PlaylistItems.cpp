#include "ui/window/PlaylistItems.h"

#include "ui/window/SortedLists.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace {

// Gives the items from row `first` on the kinds of entries. The kind is not shown, so the views
// need not hear of it: thousands of change notices would cost more than the items themselves.
void setKinds(QListWidget* playlist, int first, const QList<PlaylistEntry>& entries)
{
    const QSignalBlocker quiet(playlist->model());
    for (int i = 0; i < entries.size(); ++i)
        playlist->item(first + i)->setData(EntryKindRole, int(entries[i].kind));
}

QStringList textsOf(const QList<PlaylistEntry>& entries)
{
    QStringList texts;
    texts.reserve(entries.size());
    for (const PlaylistEntry& entry : entries)
        texts.append(entry.text);
    return texts;
}

// Gives the items the entries' texts and kinds where they stand: a shuffle keeps the count, and
// reusing the items spares deleting and making thousands of them. The views then hear one reset,
// as after clearing the list: they read the rows afresh, drop the selection and show the top.
void rewriteEntries(QListWidget* playlist, const QList<PlaylistEntry>& entries)
{
    {
        const QSignalBlocker quiet(playlist->model());
        for (int row = 0; row < entries.size(); ++row) {
            QListWidgetItem* item = playlist->item(row);
            item->setText(entries[row].text);
            item->setData(EntryKindRole, int(entries[row].kind));
        }
    }
    const QSignalBlocker block(playlist);
    playlist->reset();
    playlist->scrollToTop();
}

} // namespace

PlaylistEntry entryAt(const QListWidget* playlist, int row)
{
    const QListWidgetItem* item = playlist->item(row);
    const QVariant kind = item->data(EntryKindRole);
    return {item->text(), kind.isValid() ? EntryKind(kind.toInt()) : EntryKind::Plain};
}

QList<PlaylistEntry> playlistEntries(const QListWidget* playlist)
{
    QList<PlaylistEntry> entries;
    entries.reserve(playlist->count());
    for (int row = 0; row < playlist->count(); ++row)
        entries.append(entryAt(playlist, row));
    return entries;
}

int appendEntries(QListWidget* playlist, QList<PlaylistEntry> entries)
{
    const int room = qMax(0, PlaylistCapacity - playlist->count());
    if (entries.size() > room)
        entries.resize(room);
    const int first = playlist->count();
    playlist->addItems(textsOf(entries));
    setKinds(playlist, first, entries);
    return int(entries.size());
}

void setEntryAt(QListWidget* playlist, int row, const PlaylistEntry& entry)
{
    const QSignalBlocker block(playlist);
    QListWidgetItem* item = playlist->item(row);
    item->setText(entry.text);
    item->setData(EntryKindRole, int(entry.kind));
}

void replaceEntries(QListWidget* playlist, const QList<PlaylistEntry>& entries)
{
    if (entries.size() == playlist->count()) {
        rewriteEntries(playlist, entries);
        return;
    }
    emptyList(playlist);
    playlist->addItems(textsOf(entries));
    setKinds(playlist, 0, entries);
}
