#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The shuffle gives every playlist entry a random key and orders the keyed entries as a sorted
// list of "key followed by entry" would.

// The five-character sort key of a whole number r (0..99997): its decimal digits followed by
// four zeros, cut to five characters. 7 gives "70000", 123 gives "12300", 98765 gives "98765".
QString shuffleKey(int r);
// The same key as a number: 7 gives 70000, 0 gives 0.
int shuffleKeyValue(int r);

// The whole number 0..99997 that a random x in [0, 1) stands for.
int shuffleNumber(double x);

// The positions of the entries in the sorted order of their keyed texts: ascending keys (five
// digits, so their text order is their numeric order), equal keys by the entry's own text
// ignoring case, equal texts in their given order. keys[i] is entry i's key value.
std::vector<qsizetype> shuffledOrder(const QStringList& entries, const std::vector<int>& keys);
