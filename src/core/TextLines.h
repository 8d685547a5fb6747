#pragma once

#include "core/FileStamp.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Lines of the program's text files (databases, playlists, M3U files).
//
// A line ends at a carriage return; a line feed right after it is skipped. A line feed alone
// does not end a line, except in data that holds no carriage return at all: there every line
// feed ends a line (files written by other programs on this platform). A last line without an
// ending is still a line. Nothing is trimmed,
// except a UTF-8 byte-order mark at the very start of the data, which Windows editors put
// there and which is not part of the first line's text.
QList<QByteArrayView> splitLines(QByteArrayView data);

// How a line's bytes read: as plain ASCII, as UTF-8, or as the single-byte Windows-1252.
enum class LineEncoding : quint8 { Ascii, Utf8, SingleByte };

// One line's text: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (single-byte
// files written on other systems). Every character is kept, a U+FEFF at the start of the line
// included. encoding, when given, receives how the bytes were read.
QString decodeLine(QByteArrayView line, LineEncoding* encoding = nullptr);

// The bytes of a line read in encoding: the exact inverse of decodeLine, so that a line read
// and written back is the same bytes. For SingleByte every character must have a Windows-1252
// byte, as every character of a line read that way has.
QByteArray encodeLine(QStringView text, LineEncoding encoding);

// How a text file writes its lines: the line end and the encoding it already uses.
class TextFileStyle
{
public:
    // The style of a file holding data (see the rules below).
    static TextFileStyle of(QByteArrayView data);
    // A file whose lines end in LF alone, or in CR LF, with no lines noted yet.
    explicit TextFileStyle(bool lineFeedOnly = false) : lineFeedOnly_(lineFeedOnly) {}

    // LF for a file that holds a line feed and no carriage return, CR LF for any other.
    QByteArrayView lineEnd() const;
    bool isLineFeedOnly() const { return lineFeedOnly_; }
    // Whether the file's non-ASCII lines (one at least) are all Windows-1252.
    bool isSingleByte() const { return singleByteLines_ > 0 && utf8Lines_ == 0; }
    // How a new line of text is written: Windows-1252 in a single-byte file when every character
    // has a Windows-1252 byte and the bytes read back as the same text; otherwise UTF-8.
    LineEncoding encodingFor(QStringView text) const;
    // Takes note of a line the file holds (read, or written to it), read in encoding.
    void note(LineEncoding encoding);
    // Takes note of every line of data, written to the file.
    void noteLines(QByteArrayView data);

private:
    bool lineFeedOnly_;
    qsizetype utf8Lines_ = 0;
    qsizetype singleByteLines_ = 0;
};

// Bytes that go at the very start of a file: when they begin with a UTF-8 byte-order mark
// (a first line starting with U+FEFF), one more mark goes before them, so the reader's skip
// of the file's mark leaves the line whole.
QByteArray atFileStart(QByteArray bytes);

// Lines joined with CR LF after each one, UTF-8 encoded.
QByteArray encodeLines(const QList<QString>& lines);

// Whether the data ends with a line ending, by the rule above.
bool endsWithLineEnd(QByteArrayView data);

// The longest line a text file of the program may hold: longer than any field can be.
constexpr qsizetype LongestLine = 65536;

// What reading a text file gave.
struct TextFileRead
{
    QByteArray data;      // the bytes read: the whole file, or its lines up to a stop
    bool complete = true; // false when the read failed or stopped before the end
    bool stoppedAtLimit = false; // the file holds more lines than asked for; data ends after them
    // After a stop at the limit: how many lines follow those in data, counted by the line-end
    // rule data was split by, without keeping them.
    qsizetype linesPastLimit = 0;
    QString problem;      // why the read failed ("<path>: is not a regular file"); empty if not
    // The file as it stood when read; invalid when it changed while it was read.
    FileStamp stamp;
};

// Reads a text file as a stream, at most lineLimit lines; the lines after those are read only
// to be counted. Only a regular file is read; it is opened without blocking, so a FIFO or a
// device is refused at once instead of hanging or filling memory. A line longer than LongestLine
// among the lines kept is refused: nothing is read then.
TextFileRead readTextFile(const QString& path, qsizetype lineLimit);

// Reads a whole text file the same way, without a line limit; false when it cannot be read or
// is refused (not a regular file, a line longer than LongestLine).
bool readWholeFile(const QString& path, QByteArray& data);
