#include "SortedLists.h"

#include "app/TextCase.h"

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

namespace {

// A text's sort key: its case-folded form in a shared buffer, with the first eight characters
// after the prefix that all keys share packed into two numbers that order like the characters.
struct SortKey
{
    quint64 high = 0;
    quint64 low = 0;
    qsizetype offset = 0;
    qsizetype length = 0;
    int index = 0;
};

qsizetype commonPrefixLength(const QString& folded, const std::vector<SortKey>& keys)
{
    if (keys.empty())
        return 0;
    const QStringView first = QStringView(folded).sliced(keys[0].offset, keys[0].length);
    qsizetype common = first.size();
    for (const SortKey& k : keys) {
        const QStringView text = QStringView(folded).sliced(k.offset, qMin(k.length, common));
        qsizetype i = 0;
        while (i < text.size() && text[i] == first[i])
            ++i;
        common = i;
    }
    return common;
}

void packPrefix(const QString& folded, SortKey& key, qsizetype skip)
{
    const QChar* text = folded.constData() + key.offset;
    for (qsizetype i = 0; i < 8; ++i) {
        const quint64 c = skip + i < key.length ? text[skip + i].unicode() : 0;
        (i < 4 ? key.high : key.low) |= c << (16 * (3 - i % 4));
    }
}

} // namespace

void sortIgnoringCase(QStringList& texts)
{
    // Case folding once per entry, then plain comparisons, mostly of numbers (ties keep their
    // order): the same order as a case-insensitive comparison of every pair, at a fraction of
    // the cost. A character 0 packed for a key's end sorts before every character, as the
    // shorter text does.
    QString folded;
    qsizetype total = 0;
    for (const QString& t : std::as_const(texts))
        total += t.size();
    folded.reserve(total);
    std::vector<SortKey> keys(size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const qsizetype at = folded.size();
        appendCaseFolded(folded, std::as_const(texts)[i]);
        keys[size_t(i)].offset = at;
        keys[size_t(i)].length = folded.size() - at;
        keys[size_t(i)].index = int(i);
    }
    const qsizetype skip = commonPrefixLength(folded, keys);
    for (SortKey& k : keys)
        packPrefix(folded, k, skip);
    const auto rest = [&](const SortKey& k) {
        return QStringView(folded).sliced(k.offset + qMin(k.length, skip + 8)).first(
            qMax<qsizetype>(0, k.length - skip - 8));
    };
    std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        if (const int c = rest(a).compare(rest(b)); c != 0)
            return c < 0;
        if (a.length != b.length)
            return a.length < b.length;
        return a.index < b.index;
    });
    QStringList sorted;
    sorted.reserve(texts.size());
    for (const SortKey& k : keys)
        sorted.append(std::move(texts[k.index]));
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

void removeEntry(QListWidget* list, int row)
{
    const QSignalBlocker block(list);
    const bool wasCurrent = list->currentRow() == row;
    delete list->takeItem(row);
    if (wasCurrent)
        list->setCurrentRow(-1);
}

void emptyList(QComboBox* combo)
{
    const QSignalBlocker block(combo);
    combo->clear();
}
