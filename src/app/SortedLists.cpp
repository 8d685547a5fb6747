#include "SortedLists.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <numeric>

namespace {

bool lessIgnoringCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// Row before which text goes: after every entry that is not greater than it.
template <typename TextAt>
int insertRow(int count, const QString& text, TextAt textAt)
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

QStringList listTexts(const QListWidget* list)
{
    QStringList texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

void sortIgnoringCase(QStringList& texts)
{
    // Case folding once per entry, then plain comparisons: the same order as a case-insensitive
    // comparison of every pair, at a fraction of the cost.
    std::vector<QString> keys;
    keys.reserve(size_t(texts.size()));
    for (const QString& t : texts)
        keys.push_back(t.toCaseFolded());
    std::vector<int> order(size_t(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    QStringList sorted;
    sorted.reserve(texts.size());
    for (int i : order)
        sorted.append(std::move(texts[i]));
    texts = std::move(sorted);
}

void addSorted(QListWidget* list, const QString& text)
{
    const QSignalBlocker block(list);
    list->insertItem(insertRow(list->count(), text, [list](int i) { return list->item(i)->text(); }),
                     text);
}

void addSorted(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    combo->insertItem(insertRow(combo->count(), text, [combo](int i) { return combo->itemText(i); }),
                      text);
}

void addAllSorted(QListWidget* list, QStringList texts)
{
    if (texts.isEmpty())
        return;
    const QSignalBlocker block(list);
    if (list->count() == 0) {
        sortIgnoringCase(texts);
        list->addItems(texts);
        return;
    }
    const int current = list->currentRow();
    const QString currentText = current >= 0 ? list->item(current)->text() : QString();
    QStringList all = listTexts(list) + texts;
    sortIgnoringCase(all);
    list->clear();
    list->addItems(all);
    if (current >= 0)
        list->setCurrentRow(int(all.indexOf(currentText)));
}

void addAllSorted(QComboBox* combo, QStringList texts)
{
    const QSignalBlocker block(combo);
    const int current = combo->currentIndex();
    QStringList all = texts;
    for (int i = 0; i < combo->count(); ++i)
        all.append(combo->itemText(i));
    // Existing entries were added first: they keep their place before equal new ones.
    std::rotate(all.begin(), all.begin() + texts.size(), all.end());
    sortIgnoringCase(all);
    const QString currentText = current >= 0 ? combo->itemText(current) : QString();
    combo->clear();
    combo->addItems(all);
    combo->setCurrentIndex(current >= 0 ? int(all.indexOf(currentText)) : -1);
}

void emptyList(QListWidget* list)
{
    const QSignalBlocker block(list);
    list->clear();
}

void emptyList(QComboBox* combo)
{
    const QSignalBlocker block(combo);
    combo->clear();
}
