#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Lines of the program's text files (databases, playlists, M3U files).
//
// A line ends at a carriage return; a line feed right after it is skipped. A line feed alone
// does not end a line, and a last line without an ending is still a line. Nothing is trimmed.
QList<QByteArrayView> splitLines(QByteArrayView data);

// One line's text: UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (the code
// page of files written by the original desktop program).
QString decodeLine(QByteArrayView line);

// Lines joined with CR LF after each one, UTF-8 encoded.
QByteArray encodeLines(const QList<QString>& lines);

// Reads a whole file; false when it cannot be opened or read (a directory included).
bool readWholeFile(const QString& path, QByteArray& data);
