#include "core/TextOrder.h"

#include "core/RecordCode.h"

#include <algorithm>
#include <vector>

namespace {

// The key of a text holding characters beyond ASCII. Decomposing, then folding the case, then
// dropping the marks leaves none of them over, also where folding makes a letter with a mark.
// Qt's tables, not the locale, decide all three. Qt folds one character to one: the sharp s,
// the one letter that decomposition leaves and full folding spells with two, is spelt ss here.
QString slowKeyOf(QStringView text)
{
    QString folded = text.toString().normalized(QString::NormalizationForm_KD).toCaseFolded();
    folded.replace(QChar(0x00DF), QLatin1String("ss"));
    QString key;
    key.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        char32_t c = folded[i].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < folded.size() && folded[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(folded[i], folded[i + 1]);
            length = 2;
        }
        const QChar::Category category = QChar::category(c);
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_Enclosing)
            key.append(QStringView(folded).sliced(i, length));
        i += length - 1;
    }
    return key;
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// A text's sort key in a shared buffer, with the first eight characters after the prefix that
// all keys share packed into two numbers that order like the characters.
struct SortKey
{
    quint64 high = 0;
    quint64 low = 0;
    qsizetype offset = 0;
    qsizetype length = 0;
    int index = 0;
};

qsizetype commonPrefixLength(const QString& keys, const std::vector<SortKey>& sortKeys)
{
    if (sortKeys.empty())
        return 0;
    const QStringView first = QStringView(keys).sliced(sortKeys[0].offset, sortKeys[0].length);
    qsizetype common = first.size();
    for (const SortKey& k : sortKeys) {
        const QStringView text = QStringView(keys).sliced(k.offset, qMin(k.length, common));
        qsizetype i = 0;
        while (i < text.size() && text[i] == first[i])
            ++i;
        common = i;
    }
    return common;
}

void packPrefix(const QString& keys, SortKey& key, qsizetype skip)
{
    const QChar* text = keys.constData() + key.offset;
    for (qsizetype i = 0; i < 8; ++i) {
        const quint64 c = skip + i < key.length ? text[skip + i].unicode() : 0;
        (i < 4 ? key.high : key.low) |= c << (16 * (3 - i % 4));
    }
}

} // namespace

void appendListOrderKey(QString& buffer, QStringView entry)
{
    // Library texts are mostly ASCII: one pass lower-cases them; anything else is redone whole.
    const QStringView text = withoutRecordCode(entry);
    const qsizetype at = buffer.size();
    buffer.resize(at + text.size());
    char16_t* dst = reinterpret_cast<char16_t*>(buffer.data()) + at;
    char16_t seen = 0;
    for (QChar c : text) {
        seen |= c.unicode();
        *dst++ = asciiLower(c.unicode());
    }
    if (seen < 0x80)
        return;
    buffer.resize(at);
    buffer.append(slowKeyOf(text));
}

QString listOrderKey(QStringView entry)
{
    QString key;
    appendListOrderKey(key, entry);
    return key;
}

std::vector<int> listOrder(const QList<QStringView>& texts)
{
    // One key per entry, then plain comparisons, mostly of numbers (ties keep their order). A
    // character 0 packed for a key's end sorts before every character, as the shorter key does.
    QString keys;
    qsizetype total = 0;
    for (QStringView t : texts)
        total += t.size();
    keys.reserve(total);
    std::vector<SortKey> sortKeys(size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const qsizetype at = keys.size();
        appendListOrderKey(keys, texts[i]);
        sortKeys[size_t(i)].offset = at;
        sortKeys[size_t(i)].length = keys.size() - at;
        sortKeys[size_t(i)].index = int(i);
    }
    const qsizetype skip = commonPrefixLength(keys, sortKeys);
    for (SortKey& k : sortKeys)
        packPrefix(keys, k, skip);
    const auto rest = [&](const SortKey& k) {
        return QStringView(keys).sliced(k.offset + qMin(k.length, skip + 8)).first(
            qMax<qsizetype>(0, k.length - skip - 8));
    };
    std::sort(sortKeys.begin(), sortKeys.end(), [&](const SortKey& a, const SortKey& b) {
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
    std::vector<int> order;
    order.reserve(sortKeys.size());
    for (const SortKey& k : sortKeys)
        order.push_back(k.index);
    return order;
}

void sortInListOrder(QStringList& texts)
{
    QList<QStringView> views;
    views.reserve(texts.size());
    for (const QString& t : std::as_const(texts))
        views.append(t);
    QStringList sorted;
    sorted.reserve(texts.size());
    for (int i : listOrder(views))
        sorted.append(std::move(texts[i]));
    texts = std::move(sorted);
}
