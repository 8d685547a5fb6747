#include "core/TextCase.h"

#include "core/QuickHash.h"

#include <QVarLengthArray>
#include <vector>

namespace {

// Whether every character is ASCII or the no-break space that list entries carry: characters
// whose case mapping is the plain ASCII one (the no-break space has no case).
bool hasAsciiCase(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80 && c.unicode() != 0xA0)
            return false;
    return true;
}

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

template <typename Map>
QString mapped(QStringView text, Map map)
{
    QString out(text.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (QChar c : text)
        *dst++ = map(c.unicode());
    return out;
}

} // namespace

QString upperCased(QStringView text)
{
    return hasAsciiCase(text) ? mapped(text, asciiUpper) : text.toString().toUpper();
}

bool equalsUpperCased(QStringView text, QStringView upperText)
{
    if (!hasAsciiCase(text))
        return text.toString().toUpper() == upperText;
    if (text.size() != upperText.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (asciiUpper(text[i].unicode()) != upperText[i].unicode())
            return false;
    return true;
}

// Open addressing over one buffer of upper-cased forms: few memory accesses per lookup.
struct UpperCaseSet::Data
{
    struct Slot
    {
        quint64 hash = 0;
        qsizetype offset = -1; // in forms; -1 for a free slot
        qsizetype length = 0;
    };
    std::vector<Slot> cells;
    QString forms;
    qsizetype count = 0;

    QStringView form(const Slot& slot) const { return QStringView(forms).sliced(slot.offset, slot.length); }

    // The slot holding key, or the free slot where it goes.
    Slot& find(QStringView key, quint64 hash)
    {
        const size_t mask = cells.size() - 1;
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            Slot& slot = cells[i];
            if (slot.offset < 0 || (slot.hash == hash && form(slot) == key))
                return slot;
        }
    }

    void grow()
    {
        std::vector<Slot> old(cells.size() * 2);
        old.swap(cells);
        for (const Slot& slot : old)
            if (slot.offset >= 0)
                find(form(slot), slot.hash) = slot;
    }
};

UpperCaseSet::UpperCaseSet(qsizetype expected) : d(std::make_unique<Data>())
{
    d->cells.resize(hashTableSize(expected));
}

UpperCaseSet::~UpperCaseSet() = default;

bool UpperCaseSet::insert(QStringView text)
{
    // Upper-cases into a buffer on the stack: a copy is kept only of a text not met before.
    QVarLengthArray<char16_t, 128> buffer(text.size());
    char16_t seen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        seen |= c;
        buffer[i] = char16_t(c - u'a') < 26 ? char16_t(c - 32) : c;
    }
    QString other;
    QStringView key(buffer.data(), buffer.size());
    if (seen >= 0x80) {
        other = text.toString().toUpper();
        key = other;
    }
    const quint64 hash = quickHash(QByteArrayView(reinterpret_cast<const char*>(key.data()), key.size() * 2));
    Data::Slot& slot = d->find(key, hash);
    if (slot.offset >= 0)
        return false;
    slot = {hash, d->forms.size(), key.size()};
    d->forms.append(key);
    if (++d->count * 2 > qsizetype(d->cells.size()))
        d->grow();
    return true;
}
