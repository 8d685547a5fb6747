#include "core/ShuffleKeys.h"

#include <algorithm>
#include <numeric>

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

std::vector<qsizetype> shuffledOrder(const QStringList& entries, const std::vector<int>& keys)
{
    // Sorting positions by (key, entry) gives the order of filing the keyed entries one by one,
    // without building and case-folding a keyed text per entry.
    std::vector<qsizetype> order(size_t(entries.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        if (keys[size_t(a)] != keys[size_t(b)])
            return keys[size_t(a)] < keys[size_t(b)];
        return QString::compare(entries[a], entries[b], Qt::CaseInsensitive) < 0;
    });
    return order;
}
