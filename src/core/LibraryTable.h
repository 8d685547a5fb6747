#pragma once

#include "core/TextLines.h"

#include <QList>
#include <QStringList>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>
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

// The four lines a record was read from, as a rewrite of its database file writes them back:
// the same bytes, so that nothing the file held is cut, trimmed or resolved by a rewrite. A line
// that its field holds as it is (most lines) is not kept a second time; only the others are (a
// line cut to its field's width, one ending in blanks, a portable path the table holds resolved).
// Empty for a record made in the program.
class StoredLines
{
public:
    StoredLines() = default;
    // A record read with these encodings, every line as its field holds it until keep() says
    // otherwise.
    explicit StoredLines(const std::array<LineEncoding, 4>& encodings);

    bool isEmpty() const { return !read_; }
    // How line i (0..3) was read, so that it is written back as the same bytes.
    LineEncoding encoding(int i) const { return LineEncoding((encodings_ >> (2 * i)) & 3); }
    // Line i as read, where it differs from its field; a null string where the field holds it.
    QString differingLine(int i) const { return differing_ ? (*differing_)[size_t(i)] : QString(); }
    // Line i as read differs from what its field holds.
    void keep(int i, const QString& line);

private:
    std::shared_ptr<std::array<QString, 4>> differing_; // null while no line differs
    quint8 encodings_ = 0;                              // two bits per line
    bool read_ = false;
};

// One record. Artist, title and genre are cut to their widths (40, 40, 20); the file path is
// kept whole, however long. The fields are kept without their trailing padding, which
// LibraryTable's padded accessors put back (the file to at least FileWidth).
struct LibraryRecord
{
    QString artist;
    QString title;
    QString genre;
    QString file;
    // The lines of its database file a read record was made of; empty for a record made in the
    // program. Whoever changes a field of a read record clears them (forgetStoredLines()).
    StoredLines stored;

    // Cuts artist, title and genre to their widths; trailing blanks go from all four.
    static LibraryRecord fromTexts(QStringView artist, QStringView title, QStringView genre,
                                   QStringView file);
    // Makes this empty record the record of four lines read from a database file (the file path
    // as stored, unresolved), each read in its encoding; a field that needs no cutting takes its
    // line over, and the lines are the record's stored lines. In place: a database's records are
    // read by the ten thousand.
    void readStoredLines(std::array<QString, 4>&& lines, const std::array<LineEncoding, 4>& encodings);

    // Line i (0..3) as the database file held it; only for a record with stored lines.
    QString storedLine(int i) const;
    // The record is written from its fields from now on.
    void forgetStoredLines() { stored = {}; }
};

// How a scan of the table compares a field with a text.
enum class Field { Artist, Title, Genre, File };
enum class Match {
    AsStored,            // the field as stored (without its padding) equals the text exactly
    Trimmed,             // the field and the text, both trimmed of blanks, are equal
    TrimmedIgnoringCase, // ... and equal once both are upper-cased
};

// The library: records numbered 1..recordCount(). A record's number is its position; removing
// a record renumbers the ones after it.
class LibraryTable
{
public:
    int recordCount() const { return int(records_.size()); }
    bool isFull() const { return recordCount() >= LibraryCapacity; }

    // n in 1..recordCount(); fields without their padding.
    const LibraryRecord& record(int n) const { return records_[size_t(n - 1)]; }
    LibraryRecord& record(int n) { return records_[size_t(n - 1)]; }
    // Whether n numbers a record of the table.
    bool contains(int n) const { return n >= 1 && n <= recordCount(); }
    // The fields as stored: padded with blanks to their widths.
    QString paddedArtist(int n) const { return fixedWidth(record(n).artist, ArtistWidth); }
    QString paddedTitle(int n) const { return fixedWidth(record(n).title, TitleWidth); }
    QString paddedGenre(int n) const { return fixedWidth(record(n).genre, GenreWidth); }
    QString paddedFile(int n) const
    {
        const QString& file = record(n).file;
        return file.size() >= FileWidth ? file : fixedWidth(file, FileWidth);
    }

    // The numbers of every record, 1..recordCount().
    QList<int> everyRecord() const;
    // The numbers of the records whose field matches text, in table order.
    QList<int> recordsWhere(Field field, QStringView text, Match match) const;
    // The first record whose field matches text; 0 when there is none.
    int firstRecordWhere(Field field, QStringView text, Match match) const;

    // Appends a record; false (and nothing stored) when the table is full.
    bool append(LibraryRecord record);
    // Appends records in order while there is room; returns how many went in.
    int appendAll(std::vector<LibraryRecord> records);
    // Removes record n; the records after it move down by one.
    void remove(int n);
    // Removes the records numbered in `numbers` (each once, any order) in one pass; the others
    // keep their order and are renumbered. Numbers outside 1..recordCount are ignored.
    void removeAll(const QList<int>& numbers);
    void clear() { records_.clear(); }
    void reserve(int n) { records_.reserve(size_t(n)); }

private:
    // Calls found(n) for each matching record until it returns false.
    template <typename Found>
    void scan(Field field, QStringView text, Match match, Found found) const;

    std::vector<LibraryRecord> records_;
};
