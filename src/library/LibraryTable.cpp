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

LibraryRecord LibraryRecord::fromTexts(QStringView artist, QStringView title, QStringView genre,
                                       QStringView file)
{
    return {fixedWidth(artist, ArtistWidth), fixedWidth(title, TitleWidth),
            fixedWidth(genre, GenreWidth), fixedWidth(file, FileWidth)};
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
