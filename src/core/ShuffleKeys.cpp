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
    // without building and case-folding a keyed text per entry. The keys are sorted first as
    // plain numbers, each with its position beside it so that equal keys keep their order;
    // only runs of equal keys compare texts.
    std::vector<quint64> keyed(size_t(entries.size()));
    for (size_t i = 0; i < keyed.size(); ++i)
        keyed[i] = quint64(quint32(keys[i])) << 32 | quint64(i);
    std::sort(keyed.begin(), keyed.end());
    std::vector<qsizetype> order(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i)
        order[i] = qsizetype(keyed[i] & 0xffffffffu);
    auto keyOf = [&](qsizetype i) { return keys[size_t(i)]; };
    for (auto run = order.begin(); run != order.end();) {
        const auto end = std::find_if(run, order.end(), [&](qsizetype i) { return keyOf(i) != keyOf(*run); });
        if (end - run > 1)
            std::stable_sort(run, end, [&](qsizetype a, qsizetype b) {
                return QString::compare(entries[a], entries[b], Qt::CaseInsensitive) < 0;
            });
        run = end;
    }
    return order;
}
