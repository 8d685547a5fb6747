// The entry counter: the previous/next playlist buttons, the playing row of the playlist and the
// n/m counter of the open media.
#include "JukeboxFixture.h"
#include "ui/playback/PlayerControl.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/window/MainWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

void setPlaylist(const Jukebox& j, int entries)
{
    QStringList texts;
    for (int i = 0; i < entries; ++i)
        texts.append(QStringLiteral("/media/entry%1.wav").arg(i));
    if (shownPlaylist(j.window().playlist).append(entriesOfTexts(texts)) != entries)
        qFatal("the playlist did not take the entries");
}

} // namespace

class TestEntryCounter : public QObject
{
    Q_OBJECT
private slots:
    void playlistButtonsAndSelection_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("row");
        QTest::newRow("empty playlist") << 0 << 0 << false << false << -1;
        QTest::newRow("nothing opened yet") << 3 << 0 << false << false << -1;
        QTest::newRow("first of three") << 3 << 1 << false << true << 0;
        QTest::newRow("middle") << 3 << 2 << true << true << 1;
        QTest::newRow("last of three") << 3 << 3 << true << false << 2;
        QTest::newRow("only entry") << 1 << 1 << false << false << 0;
    }
    void playlistButtonsAndSelection()
    {
        QFETCH(int, entries);
        QFETCH(int, position);
        QFETCH(bool, previous);
        QFETCH(bool, next);
        QFETCH(int, row);
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& w = f.window();
        setPlaylist(j, entries);
        if (position > 0) {
            // The user opens the entry, then leaves its row: the position stays.
            w.playlist->setCurrentRow(position - 1);
            w.playlist->setCurrentRow(-1);
        }
        QCOMPARE(j.playlist().position(), position);
        QCOMPARE(w.playlist->currentRow(), -1);
        w.previousEntryButton->setEnabled(!previous);
        w.nextEntryButton->setEnabled(!next);
        f.player.script.entryOption = false;

        j.playerControl().updateEntryCounter();

        QCOMPARE(w.previousEntryButton->isEnabled(), previous);
        QCOMPARE(w.nextEntryButton->isEnabled(), next);
        QCOMPARE(w.playlist->currentRow(), row);
        QVERIFY(f.player.script.entryOption);
    }

    void selectionChangesOnlyWhenTheRowDiffers()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& w = f.window();
        setPlaylist(j, 4);
        w.playlist->setCurrentRow(0);
        int changes = 0;
        connect(w.playlist, &ListBox::currentRowChanged, this, [&] { ++changes; });
        j.playerControl().requestNextEntry(); // position 2, not opened yet
        j.playerControl().updateEntryCounter();
        j.playerControl().updateEntryCounter();
        QCOMPARE(w.playlist->currentRow(), 1);
        QCOMPARE(changes, 1);

        // A position past the end (its entry removed) leaves the selection alone.
        w.playlist->setCurrentRow(3);
        QCOMPARE(j.playlist().position(), 4);
        j.playlistEditor().removeSelected();
        QCOMPARE(w.playlist->count(), 3);
        QCOMPARE(w.playlist->currentRow(), -1);
        changes = 0;
        j.playerControl().updateEntryCounter();
        QCOMPARE(w.playlist->currentRow(), -1);
        QCOMPARE(changes, 0);
        QVERIFY(w.previousEntryButton->isEnabled());
        QVERIFY(!w.nextEntryButton->isEnabled());
    }

    void mediaEntries_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<bool>("stepping");
        QTest::newRow("single entry") << 1 << 1 << "1/1" << false;
        QTest::newRow("third of five") << 3 << 5 << "3/5" << true;
        QTest::newRow("nothing open") << 0 << 0 << "1/1" << false;
        QTest::newRow("count only") << 0 << 4 << "1/4" << true;
    }
    void mediaEntries()
    {
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(QString, counter);
        QFETCH(bool, stepping);
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& w = f.window();
        f.player.script.currentEntry = current;
        f.player.script.entryCount = count;
        j.playerControl().updateEntryCounter();
        QCOMPARE(w.entryCounter->text(), counter);
        QCOMPARE(w.previousInMediaButton->isEnabled(), stepping);
        QCOMPARE(w.nextInMediaButton->isEnabled(), stepping);
    }

    void withoutEntryNumberingTheCounterKeepsItsState()
    {
        JukeboxFixture f;
        f.player.script.hasEntries = false;
        Jukebox& j = f.start();
        MainWindow& w = f.window();
        f.player.script.hasEntries = true;
        f.player.script.currentEntry = 2;
        f.player.script.entryCount = 5;
        j.playerControl().updateEntryCounter();
        QCOMPARE(w.entryCounter->text(), QString("1/1"));
        QVERIFY(!w.previousInMediaButton->isEnabled());
    }
};

QTEST_MAIN(TestEntryCounter)
#include "tst_entry_counter.moc"
