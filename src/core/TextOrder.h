#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// The order of the sorted lists (artists, titles, genres): alphabetical by what the user reads of
// an entry (a title without its hidden record code), ignoring letter case and accents, the same
// in every locale. Entries that compare equal stay in the order in which they were added.

// Appends the key that orders entry to buffer: what shows of the entry, decomposed (compatibility
// forms too, so a ligature reads as its letters), case-folded, without its non-spacing marks
// (accents, diaereses, cedillas). Keys compare as plain texts, character by character.
void appendListOrderKey(QString& buffer, QStringView entry);
QString listOrderKey(QStringView entry);

// The row before which text goes in a sorted list of `count` entries, textAt(row) giving each
// entry's text: after every entry that does not order after it. One key per entry looked at.
template <typename TextAt>
int sortedInsertRow(int count, QStringView text, TextAt textAt)
{
    const QString key = listOrderKey(text);
    QString probe;
    int low = 0;
    int high = count;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        probe.clear();
        appendListOrderKey(probe, textAt(mid));
        if (QStringView(key).compare(probe) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

// Entries put in list order: each entry's key is made as the entry is added, and all are sorted
// at once.
class ListOrdering
{
public:
    void reserve(qsizetype entries, qsizetype characters);
    // Adds the next entry; entries are numbered from 0 in the order they are added.
    void add(QStringView entry);
    // Adds the next entry as text padded with blanks to width characters would show, cut to
    // width when longer: as add(fixedWidth(text, width)) without making the padded text.
    void addPadded(QStringView text, qsizetype width);
    // The numbers of the entries in list order, the first entry's number first. Equal ones keep the
    // order they were added in: the same order as filing them one by one with sortedInsertRow.
    std::vector<int> order() const;

    // Where an entry's key lies among the keys (for the sort's helpers).
    struct KeySpan
    {
        qsizetype offset = 0;
        qsizetype length = 0;
    };

private:
    QString keys_; // the keys of all entries, one after the other
    std::vector<KeySpan> spans_;
};

// The positions of texts in list order: texts[order[0]] comes first. Equal ones keep their order,
// the same order as filing them one by one with sortedInsertRow.
std::vector<int> listOrder(const QList<QStringView>& texts);

// Sorts texts into list order, equal ones keeping their order: the same order as filing them one
// by one with sortedInsertRow.
void sortInListOrder(QStringList& texts);
