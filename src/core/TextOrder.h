#pragma once

#include <QString>
#include <QStringList>

// The order of the sorted lists (artists, titles, genres, the shuffle's working list):
// alphabetical without regard to case; a new entry goes after the entries equal to it.

inline bool lessIgnoringCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// The row before which text goes in a sorted list of `count` entries, textAt(row) giving each
// entry's text: after every entry that is not greater than it.
template <typename TextAt>
int sortedInsertRow(int count, const QString& text, TextAt textAt)
{
    int low = 0;
    int high = count;
    while (low < high) {
        const int mid = (low + high) / 2;
        if (lessIgnoringCase(text, textAt(mid)))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

// Stable alphabetical order without regard to case: the same order as filing the texts one by
// one into a sorted list.
void sortIgnoringCase(QStringList& texts);
