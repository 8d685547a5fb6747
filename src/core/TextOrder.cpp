#include "core/TextOrder.h"

#include "core/RecordCode.h"

#include <algorithm>
#include <array>
#include <utility>
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

// An entry's place in the sort: the first eight characters of its key after the prefix that all
// keys share, packed into two numbers that order like the characters (a character 0 for the
// key's end sorts before every character, as the shorter key does).
struct PackedKey
{
    quint64 high = 0;
    quint64 low = 0;
    int index = 0;
};

using KeySpan = ListOrdering::KeySpan;

qsizetype commonPrefixLength(const QString& keys, const std::vector<KeySpan>& spans)
{
    if (spans.empty())
        return 0;
    const QStringView first = QStringView(keys).sliced(spans[0].offset, spans[0].length);
    qsizetype common = first.size();
    for (const KeySpan& k : spans) {
        const QStringView text = QStringView(keys).sliced(k.offset, qMin(k.length, common));
        qsizetype i = 0;
        while (i < text.size() && text[i] == first[i])
            ++i;
        common = i;
    }
    return common;
}

PackedKey packed(const QString& keys, const KeySpan& span, qsizetype skip, int index)
{
    PackedKey key;
    key.index = index;
    const QChar* text = keys.constData() + span.offset;
    for (qsizetype i = 0; i < 8; ++i) {
        const quint64 c = skip + i < span.length ? text[skip + i].unicode() : 0;
        (i < 4 ? key.high : key.low) |= c << (16 * (3 - i % 4));
    }
    return key;
}

// Byte d of a packed key, from the least significant (0) to the most (15).
unsigned byteOf(const PackedKey& key, int d)
{
    return unsigned(((d < 8 ? key.low : key.high) >> (8 * (d % 8))) & 0xFF);
}

// Digit d (0..3, the least significant first) of a key whose packed characters are all ASCII:
// two characters of seven bits each.
unsigned asciiDigitOf(const PackedKey& key, int d)
{
    const quint64 word = d < 2 ? key.low : key.high;
    const int shift = 32 * (d % 2);
    return unsigned(((word >> (shift + 16)) & 0x7F) << 7 | ((word >> shift) & 0x7F));
}

// Sorts as radixSort below, for keys whose packed characters are all ASCII: two characters to a
// pass, in four passes at most (over a table of counts worth filling for many keys only).
void asciiRadixSort(std::vector<PackedKey>& keys)
{
    std::array<bool, 4> differs{};
    for (int d = 0; d < 4; ++d)
        for (const PackedKey& k : keys)
            if (asciiDigitOf(k, d) != asciiDigitOf(keys[0], d)) {
                differs[size_t(d)] = true;
                break;
            }
    std::vector<quint32> counts(1 << 14);
    std::vector<PackedKey> moved(keys.size());
    for (int d = 0; d < 4; ++d) {
        if (!differs[size_t(d)])
            continue;
        std::fill(counts.begin(), counts.end(), 0);
        for (const PackedKey& k : keys)
            ++counts[asciiDigitOf(k, d)];
        quint32 at = 0;
        for (quint32& c : counts)
            at += std::exchange(c, at);
        for (const PackedKey& k : keys)
            moved[counts[asciiDigitOf(k, d)]++] = k;
        keys.swap(moved);
    }
}

// Sorts by the packed characters, equal ones keeping their order: one stable pass per byte, from
// the least significant, leaving out the bytes in which all keys agree (the high bytes of
// ASCII characters, say).
void radixSort(std::vector<PackedKey>& keys)
{
    quint64 characters = 0;
    for (const PackedKey& k : keys)
        characters |= k.high | k.low;
    if ((characters & 0xFF80FF80FF80FF80ull) == 0 && keys.size() >= 1024) {
        asciiRadixSort(keys);
        return;
    }
    quint64 highDiffers = 0;
    quint64 lowDiffers = 0;
    for (const PackedKey& k : keys) {
        highDiffers |= k.high ^ keys[0].high;
        lowDiffers |= k.low ^ keys[0].low;
    }
    std::vector<int> digits;
    for (int d = 0; d < 16; ++d)
        if ((((d < 8 ? lowDiffers : highDiffers) >> (8 * (d % 8))) & 0xFF) != 0)
            digits.push_back(d);
    std::vector<std::array<quint32, 256>> counts(digits.size());
    for (const PackedKey& k : keys)
        for (size_t i = 0; i < digits.size(); ++i)
            ++counts[i][byteOf(k, digits[i])];
    std::vector<PackedKey> moved(keys.size());
    for (size_t i = 0; i < digits.size(); ++i) {
        quint32 at = 0;
        for (quint32& c : counts[i])
            at += std::exchange(c, at);
        for (const PackedKey& k : keys)
            moved[counts[i][byteOf(k, digits[i])]++] = k;
        keys.swap(moved);
    }
}

// The key of text, appended to buffer (see appendListOrderKey): library texts are mostly ASCII,
// and one pass lower-cases them; anything else is redone whole.
void appendKeyOf(QString& buffer, QStringView text)
{
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

} // namespace

void appendListOrderKey(QString& buffer, QStringView entry)
{
    appendKeyOf(buffer, withoutRecordCode(entry));
}

QString listOrderKey(QStringView entry)
{
    QString key;
    appendListOrderKey(key, entry);
    return key;
}

void ListOrdering::reserve(qsizetype entries, qsizetype characters)
{
    spans_.reserve(size_t(entries));
    keys_.reserve(characters);
}

void ListOrdering::add(QStringView entry)
{
    const qsizetype at = keys_.size();
    appendListOrderKey(keys_, entry);
    spans_.push_back({at, keys_.size() - at});
}

void ListOrdering::addPadded(QStringView text, qsizetype width)
{
    if (text.size() >= width) {
        add(text.first(width));
        return;
    }
    // A text padded with blanks ends in no record code, and its key is the key of the text
    // followed by the blanks: each blank stays as it is and leaves the characters before it alone.
    const qsizetype at = keys_.size();
    appendKeyOf(keys_, text);
    const qsizetype end = keys_.size();
    keys_.resize(end + width - text.size());
    std::fill(keys_.begin() + end, keys_.end(), QChar(' '));
    spans_.push_back({at, keys_.size() - at});
}

std::vector<int> ListOrdering::order() const
{
    // The entries are sorted by the first characters of their keys; only those that agree in all
    // of them compare the rest.
    const qsizetype skip = commonPrefixLength(keys_, spans_);
    std::vector<PackedKey> packedKeys(spans_.size());
    for (size_t i = 0; i < spans_.size(); ++i)
        packedKeys[i] = packed(keys_, spans_[i], skip, int(i));
    if (!packedKeys.empty())
        radixSort(packedKeys);
    const auto rest = [&](const PackedKey& k) {
        const KeySpan& span = spans_[size_t(k.index)];
        return QStringView(keys_).sliced(span.offset + qMin(span.length, skip + 8)).first(
            qMax<qsizetype>(0, span.length - skip - 8));
    };
    const auto samePacked = [](const PackedKey& a, const PackedKey& b) { return a.high == b.high && a.low == b.low; };
    for (auto run = packedKeys.begin(); run != packedKeys.end();) {
        auto end = std::find_if_not(run + 1, packedKeys.end(), [&](const PackedKey& k) { return samePacked(*run, k); });
        if (end - run > 1) {
            std::stable_sort(run, end, [&](const PackedKey& a, const PackedKey& b) {
                if (const int c = rest(a).compare(rest(b)); c != 0)
                    return c < 0;
                return spans_[size_t(a.index)].length < spans_[size_t(b.index)].length;
            });
        }
        run = end;
    }
    std::vector<int> order;
    order.reserve(packedKeys.size());
    for (const PackedKey& k : packedKeys)
        order.push_back(k.index);
    return order;
}

std::vector<int> listOrder(const QList<QStringView>& texts)
{
    ListOrdering ordering;
    qsizetype characters = 0;
    for (QStringView t : texts)
        characters += t.size();
    ordering.reserve(texts.size(), characters);
    for (QStringView t : texts)
        ordering.add(t);
    return ordering.order();
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
