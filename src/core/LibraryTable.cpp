#include "core/LibraryTable.h"

#include "core/TextCase.h"

#include <iterator>
#include <limits>
#include <numeric>

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

QString LibraryRecord::*memberOf(Field field)
{
    switch (field) {
    case Field::Artist: return &LibraryRecord::artist;
    case Field::Title: return &LibraryRecord::title;
    case Field::Genre: return &LibraryRecord::genre;
    case Field::File: break;
    }
    return &LibraryRecord::file;
}

} // namespace

LibraryRecord LibraryRecord::fromTexts(QStringView artist, QStringView title, QStringView genre,
                                       QStringView file)
{
    return {cut(artist, ArtistWidth), cut(title, TitleWidth), cut(genre, GenreWidth), trimTrailingBlanks(file).toString(), {}};
}

StoredLines::StoredLines(const std::array<LineEncoding, 4>& encodings) : read_(true)
{
    for (int i = 0; i < 4; ++i)
        encodings_ |= quint8(quint8(encodings[size_t(i)]) << (2 * i));
}

void StoredLines::keep(int i, const QString& line)
{
    if (!differing_)
        differing_ = std::make_shared<std::array<QString, 4>>();
    else if (differing_.use_count() > 1) // shared with a copy of the record: copied on change
        differing_ = std::make_shared<std::array<QString, 4>>(*differing_);
    (*differing_)[size_t(i)] = line;
}

void LibraryRecord::readStoredLines(std::array<QString, 4>&& lines, const std::array<LineEncoding, 4>& encodings)
{
    stored = StoredLines(encodings);
    QString* const fields[] = {&artist, &title, &genre, &file};
    const qsizetype widths[] = {ArtistWidth, TitleWidth, GenreWidth, std::numeric_limits<qsizetype>::max()};
    for (size_t i = 0; i < 4; ++i) {
        QString& line = lines[i];
        const QStringView field = trimTrailingBlanks(QStringView(line).first(qMin(line.size(), widths[i])));
        if (field.size() == line.size()) {
            *fields[i] = std::move(line); // the field shares the line's string
        } else {
            *fields[i] = field.toString();
            stored.keep(int(i), line);
        }
    }
}

QString LibraryRecord::storedLine(int i) const
{
    const QString differing = stored.differingLine(i);
    if (!differing.isNull())
        return differing;
    const QString* fields[] = {&artist, &title, &genre, &file};
    return *fields[i];
}

template <typename Found>
void LibraryTable::scan(Field field, QStringView text, Match match, Found found) const
{
    QString LibraryRecord::*const member = memberOf(field);
    const QStringView trimmed = trimBlanks(text);
    const QString upperKey = match == Match::TrimmedIgnoringCase ? upperCased(trimmed) : QString();
    for (int n = 1; n <= recordCount(); ++n) {
        const QString& value = record(n).*member;
        bool matches = false;
        switch (match) {
        case Match::AsStored: matches = value == text; break;
        case Match::Trimmed: matches = trimBlanks(value) == trimmed; break;
        case Match::TrimmedIgnoringCase: matches = equalsUpperCased(trimBlanks(value), upperKey); break;
        }
        if (matches && !found(n))
            return;
    }
}

QList<int> LibraryTable::everyRecord() const
{
    QList<int> numbers(recordCount());
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

QList<int> LibraryTable::recordsWhere(Field field, QStringView text, Match match) const
{
    QList<int> numbers;
    scan(field, text, match, [&numbers](int n) {
        numbers.append(n);
        return true;
    });
    return numbers;
}

int LibraryTable::firstRecordWhere(Field field, QStringView text, Match match) const
{
    int first = 0;
    scan(field, text, match, [&first](int n) {
        first = n;
        return false;
    });
    return first;
}

bool LibraryTable::append(LibraryRecord record)
{
    if (isFull())
        return false;
    records_.push_back(std::move(record));
    return true;
}

int LibraryTable::appendAll(std::vector<LibraryRecord> records)
{
    const size_t room = size_t(LibraryCapacity - recordCount());
    if (records.size() > room)
        records.resize(room);
    const int count = int(records.size());
    if (records_.empty()) {
        records_ = std::move(records); // taken over whole, not copied
    } else {
        records_.reserve(records_.size() + records.size());
        std::move(records.begin(), records.end(), std::back_inserter(records_));
    }
    return count;
}

void LibraryTable::remove(int n)
{
    records_.erase(records_.begin() + (n - 1));
}

void LibraryTable::removeAll(const QList<int>& numbers)
{
    const int count = recordCount();
    std::vector<bool> removed(size_t(count) + 1, false);
    for (int n : numbers)
        if (contains(n))
            removed[size_t(n)] = true;
    // The kept records move down in place, each once.
    size_t kept = 0;
    for (int n = 1; n <= count; ++n) {
        if (removed[size_t(n)])
            continue;
        if (kept != size_t(n - 1))
            records_[kept] = std::move(records_[size_t(n - 1)]);
        ++kept;
    }
    records_.erase(records_.begin() + qsizetype(kept), records_.end());
}
