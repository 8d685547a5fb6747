#include "core/TextCase.h"

#include "core/NumberedBytes.h"

#include <QVarLengthArray>

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

// The upper-cased forms met, as bytes.
struct UpperCaseSet::Data
{
    NumberedBytes forms;
};

UpperCaseSet::UpperCaseSet() : d(std::make_unique<Data>()) {}

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
    bool added = false;
    d->forms.numberOf(QByteArrayView(reinterpret_cast<const char*>(key.data()), key.size() * 2), added);
    return added;
}
