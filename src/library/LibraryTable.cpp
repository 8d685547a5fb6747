#include "LibraryTable.h"

QString fixedWidth(QStringView text, int width)
{
    if (text.size() >= width)
        return text.first(width).toString();
    QString out;
    out.reserve(width);
    out.append(text);
    out.append(QString(width - text.size(), QChar(' ')));
    return out;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QChar(' '))
        ++begin;
    while (end > begin && text[end - 1] == QChar(' '))
        --end;
    return text.sliced(begin, end - begin);
}

QStringView trimTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QChar(' '))
        --end;
    return text.first(end);
}

namespace {
QString cut(QStringView text, int width)
{
    return trimTrailingBlanks(text.first(qMin<qsizetype>(text.size(), width))).toString();
}
} // namespace

LibraryRecord LibraryRecord::fromTexts(QStringView artist, QStringView title, QStringView genre,
                                       QStringView file)
{
    return {cut(artist, ArtistWidth), cut(title, TitleWidth), cut(genre, GenreWidth), cut(file, FileWidth)};
}

bool LibraryTable::append(LibraryRecord record)
{
    if (isFull())
        return false;
    records_.push_back(std::move(record));
    return true;
}

void LibraryTable::remove(int n)
{
    records_.erase(records_.begin() + (n - 1));
}
