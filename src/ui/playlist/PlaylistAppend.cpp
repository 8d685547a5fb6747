#include "ui/playlist/PlaylistAppend.h"

#include "core/PlaylistEntry.h"

#include <QListWidget>

int appendToPlaylist(QListWidget* playlist, QStringList entries)
{
    const int room = qMax(0, PlaylistCapacity - playlist->count());
    if (entries.size() > room)
        entries.resize(room);
    playlist->addItems(entries);
    return int(entries.size());
}
