#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/ShuffleKeys.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playlist/PlaylistShuffle.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

namespace {

// The x in [0, 1) that stands for the whole number r.
double drawFor(int r) { return (r + 0.5) / 99998.0; }

// A number left over after the shuffle: it drew one number per entry and no more.
constexpr double Unused = 0.25;

// Scripts the shuffle's draws to stand for the whole numbers given, followed by Unused.
void scriptNumbers(JukeboxFixture& fx, const QList<int>& numbers)
{
    fx.randomNumbers.clear();
    for (int r : numbers)
        fx.randomNumbers.append(drawFor(r));
    fx.randomNumbers.append(Unused);
}

QStringList sorted(QStringList texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Each entry as its kind and text, sorted: the same multiset of entries gives the same list.
QStringList sorted(const QList<PlaylistEntry>& entries)
{
    QStringList texts;
    for (const PlaylistEntry& entry : entries)
        texts.append(QString::number(int(entry.kind)) + entry.text);
    return sorted(texts);
}

} // namespace

class TestShuffle : public QObject
{
    Q_OBJECT
private slots:
    void ordersByKeyThenTextIgnoringCase();
    void keepsEveryEntryPositionAndClearsSelection();
    void drawsOneNumberPerEntryInPlaylistOrder();
    void smallPlaylists();
    void viewShowsTheNewOrderFromTheTop();
};

void TestShuffle::ordersByKeyThenTextIgnoringCase()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    shownPlaylist(w.playlist).append(entriesOfTexts({"delta", "banana", "Apple", "cherry", "apple"}));
    // banana and Apple draw the same key 12300 (from 123 and 12300); so do cherry and apple.
    scriptNumbers(fx, {99997, 123, 12300, 4567, 45670});

    w.shufflePlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(w.playlist), (QStringList{"Apple", "banana", "apple", "cherry", "delta"}));
    QCOMPARE(fx.randomNumbers, QList<double>{Unused});
}

void TestShuffle::keepsEveryEntryPositionAndClearsSelection()
{
    JukeboxFixture fx;
    const QString db = fx.writeDatabase("lib.VxDatabase", {{"A", "One", "Pop", "/a.mp3"}, {"B", "Two", "Pop", "/b.mp3"}});
    Jukebox& j = fx.start(db);
    MainWindow& w = fx.window();
    QList<PlaylistEntry> entries;
    for (int i = 0; i < 300; ++i)
        entries << libraryEntry(j.library().table(), 1 + i % 2) << entryOfText(QString("/plain/%1.mp3").arg(i % 7))
                << markedEntry(u"Shown", u"/marked.ogg");
    shownPlaylist(w.playlist).append(entries);
    w.playlist->setCurrentRow(2); // plays entry 3; the entry counter follows
    QCOMPARE(j.playlist().position(), 3);
    QCOMPARE(w.playlist->currentRow(), 2);
    const QString counter = w.entryCounter->text();
    fx.player.script.entryOption = false;

    w.shufflePlaylistAction->trigger();
    // Every entry keeps its kind: the kinds travel with the texts.
    const QList<PlaylistEntry> after = shownPlaylist(w.playlist).entries();
    QCOMPARE(sorted(after), sorted(entries));
    QVERIFY(after != entries);
    QCOMPARE(j.playlist().position(), 3);
    QCOMPARE(w.playlist->currentRow(), -1);
    QVERIFY(!fx.player.script.entryOption); // the counter was not refreshed
    QCOMPARE(w.entryCounter->text(), counter);
    QCOMPARE(w.waitNotice->text(), QString("Shuffling playlist, please wait..."));
    QVERIFY(!w.playlist->isHidden());
}

void TestShuffle::drawsOneNumberPerEntryInPlaylistOrder()
{
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    QStringList entries;
    for (int i = 0; i < 50; ++i)
        entries << QString("entry %1").arg(i);
    shownPlaylist(w.playlist).append(entriesOfTexts(entries));
    QRandomGenerator random(1999);
    QList<double> draws;
    for (int i = 0; i < entries.size(); ++i)
        draws << random.generateDouble();
    fx.randomNumbers = draws;
    fx.randomNumbers.append(Unused);

    j.shuffle().shuffle();
    // Expected: one draw per entry in playlist order, then ascending keys.
    QStringList keyed;
    for (int i = 0; i < entries.size(); ++i)
        keyed << shuffleKey(shuffleNumber(draws[i])) + entries[i];
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList expected;
    for (const QString& k : keyed)
        expected << k.mid(5);
    QCOMPARE(JukeboxFixture::texts(w.playlist), expected);
    QCOMPARE(fx.randomNumbers, QList<double>{Unused});
}

void TestShuffle::smallPlaylists()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    scriptNumbers(fx, {});
    w.shufflePlaylistAction->trigger();
    QCOMPARE(w.playlist->count(), 0);
    QCOMPARE(fx.randomNumbers, QList<double>{Unused}); // nothing to key

    shownPlaylist(w.playlist).append({entryOfText("only")});
    scriptNumbers(fx, {7});
    w.shufflePlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(w.playlist), QStringList{"only"});
    QCOMPARE(fx.randomNumbers, QList<double>{Unused}); // the one entry was keyed
}

// The shuffle rewrites the items where they stand: what the view draws, and where, must follow.
void TestShuffle::viewShowsTheNewOrderFromTheTop()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList entries;
    for (int i = 0; i < 400; ++i)
        entries << QString("entry %1").arg(i, 3, 10, QChar('0'));
    shownPlaylist(w.playlist).append(entriesOfTexts(entries));
    w.playlist->setSelectionMode(QAbstractItemView::ExtendedSelection);
    w.playlist->selectAll();
    w.playlist->scrollToBottom();
    QVERIFY(w.playlist->verticalScrollBar()->value() > 0);
    QList<int> reversed;
    for (int i = 0; i < entries.size(); ++i)
        reversed << 99997 - i * 200;
    scriptNumbers(fx, reversed); // keys fall as the entries go: the shuffle reverses them

    w.shufflePlaylistAction->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(w.playlist->verticalScrollBar()->value(), 0);
    QVERIFY(!w.playlist->selectionModel()->hasSelection());
    const QModelIndex top = w.playlist->indexAt(QPoint(2, 2));
    QCOMPARE(top.row(), 0);
    QCOMPARE(top.data().toString(), QString("entry 399"));
    QCOMPARE(w.playlist->text(399), QString("entry 000"));
    QCOMPARE(w.playlist->count(), 400);
}

QTEST_MAIN(TestShuffle)
#include "tst_shuffle.moc"
