#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// Widths of the fixed-width fields of a record.
inline constexpr int ArtistWidth = 40;
inline constexpr int TitleWidth = 40;
inline constexpr int GenreWidth = 20;
inline constexpr int FileWidth = 255;
// The most records the library holds.
inline constexpr int LibraryCapacity = 25000;

// The first `width` characters of text, padded on the right with blanks to `width`.
QString fixedWidth(QStringView text, int width);
// text without blanks (character 32 only) at both ends.
QStringView trimBlanks(QStringView text);

// One record as stored: every field at its fixed width.
struct LibraryRecord
{
    QString Artist; // 40
    QString Title;  // 40
    QString Genre;  // 20
    QString File;   // 255 (a longer path made by the "#" rule is kept whole)

    // Stores the four texts at their widths.
    static LibraryRecord fromTexts(QStringView artist, QStringView title, QStringView genre,
                                   QStringView file);
};

// The library: records numbered 1..RecordCount(). A record's number is its position; removing
// a record renumbers the ones after it.
class LibraryTable
{
public:
    int RecordCount() const { return int(records_.size()); }
    bool isFull() const { return RecordCount() >= LibraryCapacity; }

    // n in 1..RecordCount()
    const LibraryRecord& record(int n) const { return records_[size_t(n - 1)]; }
    LibraryRecord& record(int n) { return records_[size_t(n - 1)]; }
    const QString& Artist(int n) const { return record(n).Artist; }
    const QString& Title(int n) const { return record(n).Title; }
    const QString& Genre(int n) const { return record(n).Genre; }
    const QString& File(int n) const { return record(n).File; }

    // Appends a record; false (and nothing stored) when the table is full.
    bool append(LibraryRecord record);
    // Removes record n; the records after it move down by one.
    void remove(int n);
    void clear() { records_.clear(); }
    void reserve(int n) { records_.reserve(size_t(n)); }

private:
    std::vector<LibraryRecord> records_;
};
