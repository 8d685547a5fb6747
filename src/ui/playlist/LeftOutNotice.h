#pragma once

#include <QStringList>
#include <QtGlobal>

class MessageBox;
class QWidget;

// Tells the user how many entries one operation left out because the playlist was full (it
// holds at most PlaylistCapacity); says nothing when none was.
void tellEntriesLeftOut(MessageBox& messageBox, QWidget* parent, qsizetype leftOut);

// Tells the user which names were not added because no entry may hold them (refusals: one
// "<name>: <reason>" each); says nothing when there is none.
void tellEntriesRefused(MessageBox& messageBox, QWidget* parent, const QStringList& refusals);
