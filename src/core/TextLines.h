#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Lines of the program's text files (databases, playlists, M3U files).
//
// A line ends at a carriage return; a line feed right after it is skipped. A line feed alone
// does not end a line, and a last line without an ending is still a line. Nothing is trimmed,
// except a UTF-8 byte-order mark at the very start of the data, which Windows editors put
// there and which is not part of the first line's text.
QList<QByteArrayView> splitLines(QByteArrayView data);

// One line's text: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (the code
// page of files written by the original desktop program). Every character is kept, a U+FEFF
// at the start of the line included.
QString decodeLine(QByteArrayView line);

// Bytes that go at the very start of a file: when they begin with a UTF-8 byte-order mark
// (a first line starting with U+FEFF), one more mark goes before them, so the reader's skip
// of the file's mark leaves the line whole.
QByteArray atFileStart(QByteArray bytes);

// Lines joined with CR LF after each one, UTF-8 encoded.
QByteArray encodeLines(const QList<QString>& lines);

// Reads a whole file; false when it cannot be opened or read (a directory included).
bool readWholeFile(const QString& path, QByteArray& data);
