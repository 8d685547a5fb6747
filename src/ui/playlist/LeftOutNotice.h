#pragma once

#include <QtGlobal>

class MessageBox;
class QWidget;

// Tells the user how many entries one operation left out because the playlist was full (it
// holds at most PlaylistCapacity); says nothing when none was.
void tellEntriesLeftOut(MessageBox& messageBox, QWidget* parent, qsizetype leftOut);
