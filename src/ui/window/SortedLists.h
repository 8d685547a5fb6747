#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

// The artist, title and genre lists keep their entries in alphabetical order of what the user
// reads, ignoring case and accents (core/TextOrder); a new entry goes after the entries equal to
// it. Filling many entries at once gives the same order as adding them one by one.
//
// None of these runs the list's selection handler: emptying or filling a list is not a
// selection change.

void addSorted(QListWidget* list, const QString& text);
void addSorted(QComboBox* combo, const QString& text);
// Adds all texts; the list keeps its current entry.
void addAllSorted(QListWidget* list, QStringList texts);
void addAllSorted(QComboBox* combo, QStringList texts);
// Empties the list.
void emptyList(QListWidget* list);
void emptyList(QComboBox* combo);
// Takes out one entry. When it was the current entry, none is current afterwards (the list would
// otherwise move on to a neighbour, which is no choice of the user's).
void removeEntry(QListWidget* list, int row);
