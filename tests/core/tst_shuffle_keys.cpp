// The keys the shuffle gives playlist entries, and the order of the keyed entries.
#include "core/ShuffleKeys.h"

#include <QTest>
#include <cmath>

class TestShuffleKeys : public QObject
{
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void numbersStayInRange_data();
    void numbersStayInRange();
    void ordersByKeyThenTextIgnoringCase();
};

void TestShuffleKeys::keys_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<QString>("key");
    QTest::newRow("0") << 0 << "00000";
    QTest::newRow("7") << 7 << "70000";
    QTest::newRow("123") << 123 << "12300";
    QTest::newRow("4567") << 4567 << "45670";
    QTest::newRow("98765") << 98765 << "98765";
    QTest::newRow("99997") << 99997 << "99997";
    QTest::newRow("1") << 1 << "10000";
    QTest::newRow("100") << 100 << "10000";
    QTest::newRow("10000") << 10000 << "10000";
}

void TestShuffleKeys::keys()
{
    QFETCH(int, r);
    QFETCH(QString, key);
    QCOMPARE(shuffleKey(r), key);
    QCOMPARE(shuffleKeyValue(r), key.toInt());
}

void TestShuffleKeys::numbersStayInRange_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("r");
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("half") << 0.5 << 49999;
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 99997;
}

void TestShuffleKeys::numbersStayInRange()
{
    QFETCH(double, x);
    QFETCH(int, r);
    QCOMPARE(shuffleNumber(x), r);
}

void TestShuffleKeys::ordersByKeyThenTextIgnoringCase()
{
    const QStringList entries{"delta", "banana", "Apple", "cherry", "apple"};
    // banana and Apple draw the same key 12300 (from 123 and 12300); so do cherry and apple.
    const QList<int> numbers{99997, 123, 12300, 4567, 45670};
    std::vector<int> keys;
    QStringList keyed;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        keys.push_back(shuffleKeyValue(numbers[i]));
        keyed.append(shuffleKey(numbers[i]) + entries[i]);
    }
    QStringList ordered;
    for (qsizetype i : shuffledOrder(entries, keys))
        ordered.append(keyed[i]);
    QCOMPARE(ordered, (QStringList{"12300Apple", "12300banana", "45670apple", "45670cherry", "99997delta"}));

    // Texts equal but for case, under equal keys, keep their playlist order.
    QCOMPARE(shuffledOrder({"b", "A", "a", "B"}, {5, 5, 5, 5}), (std::vector<qsizetype>{1, 2, 0, 3}));
    QCOMPARE(shuffledOrder({"a", "A"}, {7, 7}), (std::vector<qsizetype>{0, 1}));
    // ... also when other keys lie between them.
    QCOMPARE(shuffledOrder({"x", "b", "X", "a", "c"}, {5, 9, 5, 9, 1}), (std::vector<qsizetype>{4, 0, 2, 3, 1}));
    QCOMPARE(shuffledOrder({}, {}), std::vector<qsizetype>{});
}

QTEST_APPLESS_MAIN(TestShuffleKeys)
#include "tst_shuffle_keys.moc"
