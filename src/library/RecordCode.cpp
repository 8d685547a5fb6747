#include "RecordCode.h"

QString Num2String(int n)
{
    QString code(RecordCodeLength, QChar(' '));
    for (int bit = 0; bit < RecordCodeLength; ++bit) {
        if (n & (1 << (RecordCodeLength - 1 - bit)))
            code[bit] = NBSP;
    }
    return code;
}

int String2Num(QStringView s)
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
    QString entry;
    entry.reserve(visibleText.size() + RecordCodeLength + 2);
    entry.append(visibleText);
    entry.append(NBSP);
    entry.append(Num2String(recordNumber));
    entry.append(NBSP);
    return entry;
}

int recordOfCodedEntry(QStringView entry)
{
    const qsizetype tail = RecordCodeLength + 1;
    return String2Num(entry.size() >= tail ? entry.last(tail) : entry);
}

QStringView visibleTextOfCodedEntry(QStringView entry)
{
    const qsizetype at = entry.indexOf(NBSP);
    return at < 0 ? entry : entry.first(at);
}
