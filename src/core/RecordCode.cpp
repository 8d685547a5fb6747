#include "core/RecordCode.h"

#include <algorithm>

void writeRecordNumber(QChar* dst, int n)
{
    for (int bit = 0; bit < RecordCodeLength; ++bit)
        dst[bit] = (n & (1 << (RecordCodeLength - 1 - bit))) ? NBSP : QChar(' ');
}

QString encodeRecordNumber(int n)
{
    QString code(RecordCodeLength, Qt::Uninitialized);
    writeRecordNumber(code.data(), n);
    return code;
}

int decodeRecordNumber(QStringView s)
{
    int n = 0;
    const qsizetype len = qMin<qsizetype>(s.size(), RecordCodeLength);
    for (qsizetype i = 0; i < len; ++i) {
        if (s[i] == NBSP)
            n |= 1 << (RecordCodeLength - 1 - i);
    }
    return n;
}

QString codedEntry(QStringView visibleText, int recordNumber)
{
    // One allocation: these are made by the ten thousand when lists are filled.
    const qsizetype n = visibleText.size();
    QString entry(n + RecordCodeLength + 2, Qt::Uninitialized);
    QChar* dst = entry.data();
    std::copy(visibleText.begin(), visibleText.end(), dst);
    dst[n] = NBSP;
    writeRecordNumber(dst + n + 1, recordNumber);
    dst[n + 1 + RecordCodeLength] = NBSP;
    return entry;
}

int recordOfCodedEntry(QStringView entry)
{
    const qsizetype tail = RecordCodeLength + 1;
    return decodeRecordNumber(entry.size() >= tail ? entry.last(tail) : entry);
}

QStringView visibleTextOfCodedEntry(QStringView entry)
{
    const qsizetype at = entry.indexOf(NBSP);
    return at < 0 ? entry : entry.first(at);
}

QStringView withoutRecordCode(QStringView entry)
{
    const qsizetype tail = RecordCodeLength + 2;
    if (entry.size() < tail || entry.back() != NBSP || entry[entry.size() - tail] != NBSP)
        return entry;
    for (QChar c : entry.last(tail - 1).first(RecordCodeLength))
        if (c != NBSP && c != QChar(' '))
            return entry;
    return entry.first(entry.size() - tail);
}
