#include "core/LibraryTable.h"
#include "core/RecordCode.h"

#include <QTest>

namespace {
// "0101" style bits as a code: '1' is NBSP, '0' a blank.
QString code(const char* bits)
{
    QString out;
    for (const char* b = bits; *b; ++b)
        if (*b != ' ')
            out += *b == '1' ? NBSP : QChar(' ');
    return out;
}
} // namespace

class TestRecordCode : public QObject
{
    Q_OBJECT
private slots:
    void codes_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("code");
        QTest::newRow("0") << 0 << code("0000 0000 0000 0000");
        QTest::newRow("1") << 1 << code("0000 0000 0000 0001");
        QTest::newRow("5") << 5 << code("0000 0000 0000 0101");
        QTest::newRow("25000") << 25000 << code("0110 0001 1010 1000");
        QTest::newRow("65535") << 65535 << code("1111 1111 1111 1111");
    }
    void codes()
    {
        QFETCH(int, number);
        QFETCH(QString, code);
        QCOMPARE(encodeRecordNumber(number), code);
        QCOMPARE(decodeRecordNumber(code), number);
        // The code plus the terminator reads the same as the code alone.
        QCOMPARE(decodeRecordNumber(code + NBSP), number);
    }

    void codedEntries_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("visible");
        QTest::newRow("worked example") << "Song" << 5 << "Song";
        QTest::newRow("empty title") << "" << 17 << "";
        QTest::newRow("blank title") << "   " << 25000 << "   ";
        QTest::newRow("title holding NBSP is cut there")
            << QString("Half") + NBSP + "Way" << 300 << "Half";
    }
    void codedEntries()
    {
        QFETCH(QString, title);
        QFETCH(int, number);
        QFETCH(QString, visible);
        const QString entry = codedEntry(title, number);
        QCOMPARE(entry.size(), title.size() + 18);
        QCOMPARE(recordOfCodedEntry(entry), number);
        QCOMPARE(visibleTextOfCodedEntry(entry).toString(), visible);
        QCOMPARE(withoutRecordCode(entry).toString(), title); // all that shows of it
    }

    void workedExampleIsTwentyTwoCharacters()
    {
        const QString entry = codedEntry(u"Song", 5);
        QCOMPARE(entry, QString("Song") + NBSP + code("0000 0000 0000 0101") + NBSP);
    }

    void fixedWidths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("stored");
        QTest::newRow("45-character artist keeps 40")
            << QString(45, 'x') << ArtistWidth << QString(40, 'x');
        QTest::newRow("genre padded") << "ABC" << GenreWidth << "ABC" + QString(17, ' ');
        QTest::newRow("leading blanks and case kept") << "  aB" << 6 << "  aB  ";
    }
    void fixedWidths()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, stored);
        QCOMPARE(fixedWidth(text, width), stored);
    }

    void trimmingRemovesOnlyBlanks()
    {
        QCOMPARE(trimBlanks(u"  a b  ").toString(), QString("a b"));
        const QString withNbsp = NBSP + QString("x") + NBSP;
        QCOMPARE(trimBlanks(withNbsp).toString(), withNbsp);
        QCOMPARE(trimBlanks(u"\tx\t").toString(), QString("\tx\t"));
    }

    void removingRenumbersLaterRecords()
    {
        LibraryTable table;
        for (const char* t : {"one", "two", "three"})
            QVERIFY(table.append(LibraryRecord::fromTexts(u"a", QString::fromLatin1(t), u"g", u"f")));
        table.remove(2);
        QCOMPARE(table.recordCount(), 2);
        QCOMPARE(trimBlanks(table.paddedTitle(2)).toString(), QString("three"));
    }

    void removingSeveralKeepsTheOthersInOrder()
    {
        LibraryTable table;
        for (int i = 1; i <= 12; ++i)
            table.append(LibraryRecord::fromTexts(u"A", QString::number(i), u"G", QString("/m/%1").arg(i)));
        table.removeAll({12, 7, 3, 40, 0, 7});
        QStringList titles;
        for (int i = 1; i <= table.recordCount(); ++i)
            titles.append(table.record(i).title);
        QCOMPARE(titles, (QStringList{"1", "2", "4", "5", "6", "8", "9", "10", "11"}));
    }

    void scansCompareAsTheyAreTold_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<int>("match");
        QTest::addColumn<QList<int>>("records");
        // Stored artists: "Abba", " Abba", "ABBA", "Abba " (kept as "Abba": trailing blanks go).
        QTest::newRow("as stored") << "Abba" << int(Match::AsStored) << QList<int>{1, 4};
        QTest::newRow("as stored, leading blank") << " Abba" << int(Match::AsStored) << QList<int>{2};
        QTest::newRow("trimmed") << "  Abba " << int(Match::Trimmed) << QList<int>{1, 2, 4};
        QTest::newRow("trimmed, ignoring case") << "abba" << int(Match::TrimmedIgnoringCase) << QList<int>{1, 2, 3, 4};
        QTest::newRow("nothing matches") << "Abb" << int(Match::TrimmedIgnoringCase) << QList<int>{};
    }
    void scansCompareAsTheyAreTold()
    {
        QFETCH(QString, wanted);
        QFETCH(int, match);
        QFETCH(QList<int>, records);
        LibraryTable table;
        for (const char* artist : {"Abba", " Abba", "ABBA", "Abba "})
            table.append(LibraryRecord::fromTexts(QString::fromLatin1(artist), u"t", u"g", u"f"));
        QCOMPARE(table.recordsWhere(Field::Artist, wanted, Match(match)), records);
        QCOMPARE(table.firstRecordWhere(Field::Artist, wanted, Match(match)), records.value(0, 0));
    }

    void tableStopsAtCapacity()
    {
        LibraryTable table;
        for (int i = 0; i < LibraryCapacity; ++i)
            QVERIFY(table.append({}));
        QVERIFY(table.isFull());
        QVERIFY(!table.append({}));
        QCOMPARE(table.recordCount(), LibraryCapacity);
    }
};

QTEST_APPLESS_MAIN(TestRecordCode)
#include "tst_library_table.moc"
