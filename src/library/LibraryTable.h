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

// text without its trailing blanks.
QStringView trimTrailingBlanks(QStringView text);

// One record. Each field is cut to its width (Artist 40, Title 40, Genre 20, File 255); the
// fields are kept without their trailing padding, which LibraryTable's accessors put back.
// A longer path made by the "#" rule is kept whole.
struct LibraryRecord
{
    QString Artist;
    QString Title;
    QString Genre;
    QString File;

    // Cuts the four texts to their widths.
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

    // n in 1..RecordCount(); fields without their padding.
    const LibraryRecord& record(int n) const { return records_[size_t(n - 1)]; }
    LibraryRecord& record(int n) { return records_[size_t(n - 1)]; }
    // The fields as stored: padded with blanks to their widths.
    QString Artist(int n) const { return fixedWidth(record(n).Artist, ArtistWidth); }
    QString Title(int n) const { return fixedWidth(record(n).Title, TitleWidth); }
    QString Genre(int n) const { return fixedWidth(record(n).Genre, GenreWidth); }
    QString File(int n) const
    {
        const QString& file = record(n).File;
        return file.size() >= FileWidth ? file : fixedWidth(file, FileWidth);
    }

    // Appends a record; false (and nothing stored) when the table is full.
    bool append(LibraryRecord record);
    // Removes record n; the records after it move down by one.
    void remove(int n);
    void clear() { records_.clear(); }
    void reserve(int n) { records_.reserve(size_t(n)); }

private:
    std::vector<LibraryRecord> records_;
};
