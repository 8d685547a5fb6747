#pragma once

#include <QString>
#include <QStringList>

#include "core/LibraryListModel.h"

class ListBox;
class QComboBox;

// The artist, title and genre lists keep their entries in alphabetical order of what the user
// reads, ignoring case and accents (core/TextOrder); a new entry goes after the entries equal to
// it. Filling many entries at once gives the same order as adding them one by one.
//
// None of these runs the list's selection handler: emptying or filling a list is not a
// selection change.

void addSorted(QComboBox* combo, const QString& text);
// Adds all rows to the list's model; the list keeps its current entry (the first showing the
// same text).
void addAllSorted(ListBox* list, LibraryListModel& model, QList<LibraryListModel::Row> rows);
void addAllSorted(QComboBox* combo, QStringList texts);
void emptyList(QComboBox* combo);
