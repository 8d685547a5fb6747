#pragma once

#include <QString>
#include <QStringView>

// A record number travels hidden at the end of a list entry as a 16-character code: its 16
// bits, most significant first, the no-break space for 1 and the blank for 0. Both look blank.
inline constexpr QChar NBSP = QChar(0x00A0);
inline constexpr int RecordCodeLength = 16;

// The 16-character code of n (0..65535).
QString encodeRecordNumber(int n);
// Writes the 16 characters of n's code at dst.
void writeRecordNumber(QChar* dst, int n);
// The number coded by the first 16 characters of s; any character but NBSP counts as 0.
// A shorter text reads as if padded with blanks.
int decodeRecordNumber(QStringView s);

// visible text, NBSP, code, NBSP.
QString codedEntry(QStringView visibleText, int recordNumber);
// The record number carried by a coded entry: the code in the last 17 characters.
int recordOfCodedEntry(QStringView entry);
// Everything before the first NBSP (the whole text when there is none).
QStringView visibleTextOfCodedEntry(QStringView entry);
// The entry without the record code it ends with (NBSP, code, NBSP): all that shows of it. A text
// that does not end with a code is returned whole.
QStringView withoutRecordCode(QStringView entry);
