#pragma once

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

// One line's text: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (the single-byte
// code page that database files written on other systems use). Every character is kept, a U+FEFF
// at the start of the line included.
QString decodeLine(QByteArrayView line);

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
    QString problem;      // why the read failed ("<path>: is not a regular file"); empty if not
};

// Reads a text file as a stream, at most lineLimit lines. Only a regular file is read; it is
// opened without blocking, so a FIFO or a device is refused at once instead of hanging or
// filling memory. A line longer than LongestLine is refused: nothing is read then.
TextFileRead readTextFile(const QString& path, qsizetype lineLimit);

// Reads a whole text file the same way, without a line limit; false when it cannot be read or
// is refused (not a regular file, a line longer than LongestLine).
bool readWholeFile(const QString& path, QByteArray& data);
