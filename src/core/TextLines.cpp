#include "core/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

} // namespace

QList<QByteArrayView> splitLines(QByteArrayView data)
{
    if (data.startsWith(Utf8Bom))
        data = data.sliced(Utf8Bom.size());
    QList<QByteArrayView> lines;
    lines.reserve(data.size() / 32 + 1);
    const char* begin = data.data();
    const char* const end = begin + data.size();
    while (begin < end) {
        const char* cr = static_cast<const char*>(memchr(begin, '\r', size_t(end - begin)));
        if (!cr) {
            lines.append(QByteArrayView(begin, end - begin));
            break;
        }
        lines.append(QByteArrayView(begin, cr - begin));
        begin = cr + 1;
        if (begin < end && *begin == '\n')
            ++begin;
    }
    return lines;
}

namespace {

// Windows-1252 characters 0x80..0x9F; the five undefined ones map to their C1 codes.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeCp1252(QByteArrayView line)
{
    QString out(line.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char c : line) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}

bool isAscii(QByteArrayView line)
{
    for (char c : line)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QString decodeLine(QByteArrayView line)
{
    if (isAscii(line))
        return QString::fromLatin1(line);
    // ConvertInitialBom: the decoder would otherwise drop a U+FEFF that starts the line.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(line);
}

QByteArray encodeLines(const QList<QString>& lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2; // exact for ASCII text: one allocation instead of many
    out.reserve(size);
    for (const QString& line : lines) {
        out.append(line.toUtf8());
        out.append("\r\n", 2);
    }
    return out;
}

QByteArray atFileStart(QByteArray bytes)
{
    if (bytes.startsWith(Utf8Bom))
        bytes.prepend(Utf8Bom.data(), Utf8Bom.size());
    return bytes;
}

bool readWholeFile(const QString& path, QByteArray& data)
{
    if (QFileInfo(path).isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.readAll();
    return file.error() == QFileDevice::NoError;
}
