// The size count of the files chosen for a CD set, in rounded kilobytes.
#include "core/SelectionSize.h"

#include <QTest>

class TestSelectionSize : public QObject
{
    Q_OBJECT
private slots:
    void roundedKilobytes_data();
    void roundedKilobytes();
};

void TestSelectionSize::roundedKilobytes_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("sign");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("3.5 to 4") << qint64(2) << qint64(1536) << 1 << qint64(4);
    QTest::newRow("2.5 to 2") << qint64(0) << qint64(2560) << 1 << qint64(2);
    QTest::newRow("the sum is rounded, not the size") << qint64(1) << qint64(1536) << 1 << qint64(2);
    QTest::newRow("-0.5 to 0") << qint64(2) << qint64(2560) << -1 << qint64(0);
    QTest::newRow("-1.5 to -2") << qint64(0) << qint64(1536) << -1 << qint64(-2);
    QTest::newRow("below a half") << qint64(5) << qint64(511) << 1 << qint64(5);
    QTest::newRow("above a half") << qint64(5) << qint64(513) << 1 << qint64(6);
    QTest::newRow("large file") << qint64(0) << qint64(5) * 1024 * 1024 * 1024 << 1 << qint64(5) * 1024 * 1024;
}

void TestSelectionSize::roundedKilobytes()
{
    QFETCH(qint64, total);
    QFETCH(qint64, bytes);
    QFETCH(int, sign);
    QFETCH(qint64, expected);
    QCOMPARE(addRoundedKilobytes(total, bytes, sign), expected);
}

QTEST_APPLESS_MAIN(TestSelectionSize)
#include "tst_selection_size.moc"
