#include "core/TextOrder.h"

#include "core/TextCase.h"

#include <algorithm>
#include <vector>

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
