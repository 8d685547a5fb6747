#include "playlist/Shuffle.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "playlist/PlaylistFiles.h"

#include <QAction>
#include <QListWidget>
#include <algorithm>
#include <numeric>
#include <vector>

QString shuffleKey(int r)
{
    return (QString::number(r) + QStringLiteral("0000")).left(5);
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
std::vector<qsizetype> keyedOrder(const QStringList& entries, const QStringList& keys)
{
    std::vector<int> keyValues;
    keyValues.reserve(size_t(keys.size()));
    for (const QString& key : keys)
        keyValues.push_back(key.toInt());
    std::vector<qsizetype> order(size_t(entries.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        if (keyValues[size_t(a)] != keyValues[size_t(b)])
            return keyValues[size_t(a)] < keyValues[size_t(b)];
        return QString::compare(entries[a], entries[b], Qt::CaseInsensitive) < 0;
    });
    return order;
}

} // namespace

void Shuffle::RandomPlaylist_Click()
{
    form_.beginWait(QStringLiteral("Shuffling playlist, please wait..."));
    emptyList(form_.List4);
    const QStringList entries = playlistEntries(form_);
    QStringList keys;
    keys.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.append(shuffleKey(shuffleNumber(nextRandom())));

    // List4 holds the keyed entries in order; the playlist gets them back without their keys.
    QStringList keyed;
    QStringList shuffled;
    keyed.reserve(entries.size());
    shuffled.reserve(entries.size());
    for (qsizetype i : keyedOrder(entries, keys)) {
        keyed.append(keys[i] + entries[i]);
        shuffled.append(entries[i]);
    }
    form_.List4->addItems(keyed);
    emptyList(form_.List3);
    form_.List3->addItems(shuffled);
    form_.endWait();
}
