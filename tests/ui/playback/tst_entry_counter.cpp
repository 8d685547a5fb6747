#include "JukeboxFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

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
        Form1& form = f.start();
        for (int i = 0; i < entries; ++i)
            form.playlist->addItem(QString("entry %1").arg(i));
        form.PlaylistPosition = position;
        form.CheckTeller();
        QCOMPARE(form.previousEntryButton->isEnabled(), previous);
        QCOMPARE(form.nextEntryButton->isEnabled(), next);
        QCOMPARE(form.playlist->currentRow(), row);
        QVERIFY(f.player.script.entryOption);
    }

    void selectionChangesOnlyWhenTheRowDiffers()
    {
        JukeboxFixture f;
        Form1& form = f.start();
        form.playlist->addItems({"a", "b", "c"});
        int changes = 0;
        connect(form.playlist, &QListWidget::currentRowChanged, this, [&] { ++changes; });
        form.PlaylistPosition = 2;
        form.CheckTeller();
        form.CheckTeller();
        QCOMPARE(changes, 1);
        // A position past the end (entries removed) leaves the selection alone.
        form.PlaylistPosition = 9;
        form.CheckTeller();
        QCOMPARE(form.playlist->currentRow(), 1);
        QCOMPARE(changes, 1);
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
        Form1& form = f.start();
        f.player.script.currentEntry = current;
        f.player.script.entryCount = count;
        form.CheckTeller();
        QCOMPARE(form.entryCounter->text(), counter);
        QCOMPARE(form.previousInMediaButton->isEnabled(), stepping);
        QCOMPARE(form.nextInMediaButton->isEnabled(), stepping);
    }

    void withoutEntryNumberingTheCounterKeepsItsState()
    {
        JukeboxFixture f;
        f.player.script.hasEntries = false;
        Form1& form = f.start();
        f.player.script.hasEntries = true;
        f.player.script.currentEntry = 2;
        f.player.script.entryCount = 5;
        form.CheckTeller();
        QCOMPARE(form.entryCounter->text(), QString("1/1"));
        QVERIFY(!form.previousInMediaButton->isEnabled());
    }
};

QTEST_MAIN(TestEntryCounter)
#include "tst_entry_counter.moc"
