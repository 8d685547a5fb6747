#include "playlist/Shuffle.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "playlist/PlaylistFiles.h"

#include <QAction>
#include <QListWidget>
#include <algorithm>
#include <numeric>
#include <vector>

int shuffleKeyValue(int r)
{
    // The digits followed by zeros, cut to five: r scaled up to five digits.
    int key = r;
    while (key != 0 && key < 10000)
        key *= 10;
    return key;
}

QString shuffleKey(int r)
{
    return QStringLiteral("%1").arg(shuffleKeyValue(r), 5, 10, QChar('0'));
}

int shuffleNumber(double x)
{
    // A product just below 99998 can round up to it: keep the number in range.
    return std::clamp(int(x * 99998), 0, 99997);
}

Shuffle::Shuffle(Form1& form)
    : nextRandom([&form] { return form.random.generateDouble(); }), form_(form)
{
    QObject::connect(form_.RandomPlaylist, &QAction::triggered, &form_, [this] { RandomPlaylist_Click(); });
}

namespace {

// The positions of the entries in the sorted list's order of key followed by entry: ascending
// keys (five digits, so their text order is their numeric order), equal keys by the entry's own
// text ignoring case, equal texts in playlist order. The same order as filing the keyed entries
// one by one, without folding the case of every entry.
std::vector<qsizetype> keyedOrder(const QStringList& entries, const std::vector<int>& keys)
{
    std::vector<qsizetype> order(size_t(entries.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        if (keys[size_t(a)] != keys[size_t(b)])
            return keys[size_t(a)] < keys[size_t(b)];
        return QString::compare(entries[a], entries[b], Qt::CaseInsensitive) < 0;
    });
    return order;
}

// The key's five digits followed by the entry.
QString keyedEntry(int key, const QString& entry)
{
    QString keyed(5 + entry.size(), Qt::Uninitialized);
    QChar* out = keyed.data();
    for (int i = 4; i >= 0; --i, key /= 10)
        out[i] = QChar(u'0' + key % 10);
    std::copy(entry.cbegin(), entry.cend(), out + 5);
    return keyed;
}

} // namespace

void Shuffle::RandomPlaylist_Click()
{
    form_.beginWait(QStringLiteral("Shuffling playlist, please wait..."));
    emptyList(form_.List4);
    const QStringList entries = playlistEntries(form_);
    std::vector<int> keys;
    keys.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.push_back(shuffleKeyValue(shuffleNumber(nextRandom())));

    // List4 holds the keyed entries in order; the playlist gets them back without their keys.
    QStringList keyed;
    QStringList shuffled;
    keyed.reserve(entries.size());
    shuffled.reserve(entries.size());
    for (qsizetype i : keyedOrder(entries, keys)) {
        keyed.append(keyedEntry(keys[size_t(i)], entries[i]));
        shuffled.append(entries[i]);
    }
    form_.List4->addItems(keyed);
    emptyList(form_.List3);
    form_.List3->addItems(shuffled);
    form_.endWait();
}
