#include "JukeboxFixture.h"
#include "core/RecordCode.h"
#include "core/PlaylistEntry.h"
#include "playlist/Shuffle.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <algorithm>

namespace {

// The x in [0, 1) that stands for the whole number r.
double drawFor(int r) { return (r + 0.5) / 99998.0; }

void scriptNumbers(Form1& form, QList<int> numbers)
{
    form.shuffle->nextRandom = [numbers]() mutable {
        if (numbers.isEmpty())
            qFatal("the shuffle drew more numbers than there are entries");
        return drawFor(numbers.takeFirst());
    };
}

QStringList sorted(QStringList texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

} // namespace

class TestShuffle : public QObject
{
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void numbersStayInRange_data();
    void numbersStayInRange();
    void ordersByKeyThenTextIgnoringCase();
    void keepsEveryEntryPositionAndClearsSelection();
    void drawsFromTheProgramsGenerator();
    void smallPlaylists();
};

void TestShuffle::keys_data()
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

void TestShuffle::keys()
{
    QFETCH(int, r);
    QFETCH(QString, key);
    QCOMPARE(shuffleKey(r), key);
}

void TestShuffle::numbersStayInRange_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("r");
    QTest::newRow("0") << 0.0 << 0;
    QTest::newRow("half") << 0.5 << 49999;
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 99997;
}

void TestShuffle::numbersStayInRange()
{
    QFETCH(double, x);
    QFETCH(int, r);
    QCOMPARE(shuffleNumber(x), r);
}

void TestShuffle::ordersByKeyThenTextIgnoringCase()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.playlist->addItems({"delta", "banana", "Apple", "cherry", "apple"});
    // banana and Apple draw the same key 12300 (from 123 and 12300); so do cherry and apple.
    scriptNumbers(form, {99997, 123, 12300, 4567, 45670});

    form.shufflePlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(form.playlist), (QStringList{"Apple", "banana", "apple", "cherry", "delta"}));
    QCOMPARE(JukeboxFixture::texts(form.List4),
             (QStringList{"12300Apple", "12300banana", "45670apple", "45670cherry", "99997delta"}));
}

void TestShuffle::keepsEveryEntryPositionAndClearsSelection()
{
    JukeboxFixture fx;
    const QString db = fx.writeDatabase("lib.VxDatabase", {{"A", "One", "Pop", "/a.mp3"}, {"B", "Two", "Pop", "/b.mp3"}});
    Form1& form = fx.start(db);
    QStringList entries;
    for (int i = 0; i < 300; ++i)
        entries << libraryEntry(form.library, 1 + i % 2) << QString("/plain/%1.mp3").arg(i % 7)
                << markedEntry(u"Shown", u"/marked.ogg");
    form.playlist->addItems(entries);
    form.PlaylistPosition = 3;
    form.CheckTeller();
    QCOMPARE(form.playlist->currentRow(), 2);
    const QString counter = form.entryCounter->text();
    fx.player.script.entryOption = false;

    form.shufflePlaylistAction->trigger();
    const QStringList after = JukeboxFixture::texts(form.playlist);
    QCOMPARE(sorted(after), sorted(entries));
    QVERIFY(after != entries);
    QCOMPARE(form.PlaylistPosition, 3);
    QCOMPARE(form.playlist->currentRow(), -1);
    QVERIFY(!fx.player.script.entryOption); // the counter was not refreshed
    QCOMPARE(form.entryCounter->text(), counter);
    QCOMPARE(form.waitNotice->text(), QString("Shuffling playlist, please wait..."));
    QVERIFY(!form.playlist->isHidden());
}

void TestShuffle::drawsFromTheProgramsGenerator()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    QStringList entries;
    for (int i = 0; i < 50; ++i)
        entries << QString("entry %1").arg(i);
    form.playlist->addItems(entries);
    form.random.seed(1999);
    QRandomGenerator same(1999);

    form.shuffle->RandomPlaylist_Click();
    // Expected: one draw per entry in playlist order, then ascending keys.
    QStringList keyed;
    for (const QString& e : entries)
        keyed << shuffleKey(shuffleNumber(same.generateDouble())) + e;
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList expected;
    for (const QString& k : keyed)
        expected << k.mid(5);
    QCOMPARE(JukeboxFixture::texts(form.playlist), expected);
}

void TestShuffle::smallPlaylists()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.shufflePlaylistAction->trigger();
    QCOMPARE(form.playlist->count(), 0);
    form.playlist->addItem("only");
    form.shufflePlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(form.playlist), QStringList{"only"});
    QCOMPARE(form.List4->count(), 1); // the working list keeps its keyed items
}

QTEST_MAIN(TestShuffle)
#include "tst_shuffle.moc"
