#pragma once

#include <QStringList>

class QListWidget;

// Appends entries at the end of the playlist while it has room (it holds at most
// PlaylistCapacity); returns how many went in.
int appendToPlaylist(QListWidget* playlist, QStringList entries);
