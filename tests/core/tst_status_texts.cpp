// The clock, size and status-line texts of the status timer.
#include "core/StatusTexts.h"

#include <QTest>
#include <cmath>
#include <limits>

class TestStatusTexts : public QObject
{
    Q_OBJECT
private slots:
    void clock_data();
    void clock();
    void wholeSecondsOfPlayerValues_data();
    void wholeSecondsOfPlayerValues();
    void size_data();
    void size();
    void statusLines();
};

void TestStatusTexts::clock_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "00:00:00";
    QTest::newRow("nine seconds") << qint64(9) << "00:00:09";
    QTest::newRow("one minute") << qint64(60) << "00:01:00";
    QTest::newRow("last second of an hour") << qint64(3599) << "00:59:59";
    QTest::newRow("3725") << qint64(3725) << "01:02:05";
    QTest::newRow("ten hours") << qint64(36000) << "10:00:00";
    QTest::newRow("100 hours") << qint64(360000) << "100:00:00";
    QTest::newRow("largest position") << qint64(std::numeric_limits<qint32>::max()) << "596523:14:07";
    QTest::newRow("negative time left") << qint64(-5) << "00:00:00";
    QTest::newRow("far negative") << qint64(-360000) << "00:00:00";
}

void TestStatusTexts::clock()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(clockText(seconds), text);
}

void TestStatusTexts::wholeSecondsOfPlayerValues_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<qint32>("whole");
    QTest::newRow("nothing open") << -1.0 << 0;
    QTest::newRow("other negative") << -7.5 << 0;
    QTest::newRow("just under a second") << 0.999 << 0;
    QTest::newRow("rounded down") << 61.9 << 61;
    QTest::newRow("exact") << 3725.0 << 3725;
    QTest::newRow("not a number") << std::nan("") << 0;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << std::numeric_limits<qint32>::max();
    QTest::newRow("beyond 32 bits") << 1e12 << std::numeric_limits<qint32>::max();
}

void TestStatusTexts::wholeSecondsOfPlayerValues()
{
    QFETCH(double, seconds);
    QFETCH(qint32, whole);
    QCOMPARE(wholeSeconds(seconds), whole);
}

void TestStatusTexts::size_data()
{
    QTest::addColumn<qint64>("kilobytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("negative") << qint64(-3) << " 0 Kilobyte";
    QTest::newRow("zero") << qint64(0) << " 0 Kilobyte";
    QTest::newRow("one") << qint64(1) << " 1 Kilobyte";
    QTest::newRow("500") << qint64(500) << " 500 Kilobyte";
    QTest::newRow("1023") << qint64(1023) << " 1023 Kilobyte";
    QTest::newRow("1024") << qint64(1024) << " 1 Megabyte";
    QTest::newRow("1536") << qint64(1536) << " 1.5 Megabyte";
    QTest::newRow("2048") << qint64(2048) << " 2 Megabyte";
    QTest::newRow("two decimals") << qint64(1034) << " 1.01 Megabyte";   // 1.0098
    QTest::newRow("rounds to whole") << qint64(1029) << " 1 Megabyte";    // 1.0049
    QTest::newRow("exact half up") << qint64(1152) << " 1.13 Megabyte";   // 1.125
    QTest::newRow("carry to next") << qint64(2047) << " 2 Megabyte";      // 1.999
    QTest::newRow("tenths only") << qint64(1126) << " 1.1 Megabyte";      // 1.0996
    QTest::newRow("gigabytes") << qint64(5 * 1024 * 1024) << " 5120 Megabyte";
}

void TestStatusTexts::size()
{
    QFETCH(qint64, kilobytes);
    QFETCH(QString, text);
    QCOMPARE(sizeText(kilobytes), text);
}

void TestStatusTexts::statusLines()
{
    QCOMPARE(statusLineText(3, 12, 0), QStringLiteral("Artists: 3    Titles: 12    Playlist: 0 files"));
    QCOMPARE(selectionLineText(0, 0), QStringLiteral(" 0 files selected, 0 Kilobyte"));
    QCOMPARE(selectionLineText(7, 1536), QStringLiteral(" 7 files selected, 1.5 Megabyte"));
}

QTEST_APPLESS_MAIN(TestStatusTexts)
#include "tst_status_texts.moc"
