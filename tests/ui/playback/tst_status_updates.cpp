// The status tick: play/pause buttons, editor buttons, status line, open requests and the time
// displays. Ten ticks a second while media plays; otherwise one after each change they follow.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/playback/PlayerControl.h"
#include "core/PlaylistEntry.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <limits>

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"Granite", "Heavy Square", "Rock", "/media/heavy.wav"},
};

// A started program with the records loaded; the tests tick by hand.
Jukebox& startWithLibrary(JukeboxFixture& f, const QList<QStringList>& records = Records)
{
    Jukebox& j = f.startWithRecords(records);
    f.window().statusTimer->stop();
    return j;
}

QStringList opened(const FakePlayer& player)
{
    return player.calls.filter(QRegularExpression("^open "));
}

// Calls a function once, when the watched widget is first painted while a condition holds.
class OnPaint : public QObject
{
public:
    OnPaint(QWidget* watched, std::function<bool()> condition, std::function<void()> action)
        : condition_(std::move(condition)), action_(std::move(action))
    {
        watched->installEventFilter(this);
    }
    bool done() const { return done_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_ && condition_()) {
            done_ = true;
            action_();
        }
        return false;
    }

private:
    std::function<bool()> condition_;
    std::function<void()> action_;
    bool done_ = false;
};

} // namespace

class TestStatusUpdates : public QObject
{
    Q_OBJECT
public:
    enum Wizard { NoWizard, Selecting, Copying, Finished };
    Q_ENUM(Wizard)
    enum Change { PlaylistGrows, CdSelectionGrows, Stopped, NextEntryAsked, FieldsFilled, FieldEmptied, BothListsChosen };
    Q_ENUM(Change)

private slots:
    void ticksTenTimesASecondOnlyWhilePlaying();
    void followsChangesWhileNothingPlays_data();
    void followsChangesWhileNothingPlays();
    void playAndPauseFollowThePlayer_data();
    void playAndPauseFollowThePlayer();
    void removeButton_data();
    void removeButton();
    void statusLine_data();
    void statusLine();
    void addButton_data();
    void addButton();
    void timeDisplaysChangeOncePerSecond();
    void unknownLengthShowsNoTimeLeft();
    void stopShowsZeroAndTheFullLength();
    void lengthLearntLateIsShown_data();
    void lengthLearntLateIsShown();
    void stepsRunInOrder();
    void oddPlayerAnswersKeepTheTicksRunning();
};

void TestStatusUpdates::ticksTenTimesASecondOnlyWhilePlaying()
{
    JukeboxFixture f;
    f.start(f.writeDatabase("Music.VxDatabase", Records));
    MainWindow& w = f.window();
    QTRY_COMPARE(w.statusLine->text(), QStringLiteral("Artists: 2    Titles: 3    Playlist: 0 files"));
    QVERIFY(!w.statusTimer->isActive());

    shownPlaylist(w.playlist).append({entryOfText("/a.wav")});
    w.playlist->setCurrentRow(0); // opened: the player plays
    QTRY_VERIFY(w.statusTimer->isActive());
    QCOMPARE(w.statusTimer->interval(), 100);
    f.player.script.position = 2.5;
    QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:02"));

    QTRY_VERIFY(w.pauseButton->isEnabled());
    w.pauseButton->click();
    QTRY_VERIFY(!w.statusTimer->isActive());
    // Paused, nothing is read from the player until something changes.
    f.player.script.position = 7.5;
    QTest::qWait(3 * w.statusTimer->interval());
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:02"));
    w.playButton->click();
    QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:07"));
    QVERIFY(w.statusTimer->isActive());
    w.stopButton->click();
    QTRY_VERIFY(!w.statusTimer->isActive());
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:00"));
}

// While nothing plays, each change the ticks follow brings one tick: the counts of the status
// line, the CD wizard's selection, the clocks after Stop, a next entry asked for, and the record
// editor's Add and Remove.
void TestStatusUpdates::followsChangesWhileNothingPlays_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("playlist grows") << PlaylistGrows;
    QTest::newRow("CD selection grows") << CdSelectionGrows;
    QTest::newRow("stopped") << Stopped;
    QTest::newRow("next entry asked for") << NextEntryAsked;
    QTest::newRow("every field filled") << FieldsFilled;
    QTest::newRow("a field emptied") << FieldEmptied;
    QTest::newRow("an artist and a title chosen") << BothListsChosen;
}

void TestStatusUpdates::followsChangesWhileNothingPlays()
{
    QFETCH(Change, change);
    JukeboxFixture f;
    const QByteArray kilobytes768(768 * 1024, 'x');
    Jukebox& j = f.startWithRecords({
        {"The Examples", "First Song", "Pop", f.writeFile("first.wav", "short")},
        {"Granite", "Stone Cold", "Rock", f.writeFile("stone.wav", kilobytes768)},
        {"Granite", "Heavy Square", "Rock", f.writeFile("heavy.wav", kilobytes768)},
    });
    MainWindow& w = f.window();
    QTRY_COMPARE(w.statusLine->text(), QStringLiteral("Artists: 2    Titles: 3    Playlist: 0 files"));

    switch (change) {
    case PlaylistGrows:
        j.playlist().append(entriesOfTexts({"/a.wav", "/b.wav"}));
        QTRY_COMPARE(w.statusLine->text(), QStringLiteral("Artists: 2    Titles: 3    Playlist: 2 files"));
        break;
    case CdSelectionGrows:
        j.cdWizard().start();
        QTRY_COMPARE(w.statusLine->text(), QStringLiteral(" 0 files selected, 0 Kilobyte"));
        j.browser().selectArtistRow(0);
        j.playlistEditor().dropOntoPlaylist(LibraryDragSource::Artists);
        QTRY_COMPARE(w.statusLine->text(), QStringLiteral(" 2 files selected, 1.5 Megabyte"));
        j.cdWizard().close();
        QTRY_COMPARE(w.statusLine->text().left(9), QStringLiteral("Artists: "));
        break;
    case Stopped:
        j.playlist().append(entriesOfTexts({"/a.wav"}));
        w.playlist->setCurrentRow(0);
        f.player.script.duration = 185;
        f.player.script.position = 42;
        QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:42"));
        w.stopButton->click();
        QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:00"));
        QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:03:05"));
        break;
    case NextEntryAsked:
        j.playlist().append(entriesOfTexts({"/a.wav", "/b.wav"}));
        w.playlist->setCurrentRow(0);
        w.stopButton->click();
        QTRY_VERIFY(!w.statusTimer->isActive());
        w.nextEntryButton->click();
        QTRY_COMPARE(w.windowTitle(), QStringLiteral("Vexolin: /b.wav"));
        w.stopButton->click();
        break;
    case FieldsFilled:
    case FieldEmptied:
        w.artistField->setText("Granite");
        w.titleField->setText("New");
        w.genreField->setText("Rock");
        QTRY_VERIFY(w.addRecordButton->isEnabled());
        if (change == FieldEmptied) {
            w.titleField->clear();
            QTRY_VERIFY(!w.addRecordButton->isEnabled());
        }
        break;
    case BothListsChosen:
        w.artistList->setCurrentRow(0);
        w.titleList->setCurrentRow(1);
        QTRY_VERIFY(!w.removeRecordButton->isEnabled());
        w.removeRecordButton->setEnabled(true); // as choosing an artist or a title alone does
        w.titleList->setCurrentRow(0);
        // Both lists still hold a chosen row: Remove has nothing to act on.
        QVERIFY(selectedRow(w.artistList) >= 0 && selectedRow(w.titleList) >= 0);
        QTRY_VERIFY(!w.removeRecordButton->isEnabled());
        break;
    }
    QTRY_VERIFY(!w.statusTimer->isActive());
}

void TestStatusUpdates::playAndPauseFollowThePlayer_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("enabledBefore"); // both buttons, before the tick
    QTest::addColumn<bool>("play");
    QTest::addColumn<bool>("pause");
    QTest::newRow("playing") << 2 << "/a.wav" << false << false << true;
    QTest::newRow("paused") << 1 << "/a.wav" << false << true << false;
    QTest::newRow("stopped with a file") << 0 << "/a.wav" << false << true << false;
    QTest::newRow("stopped, nothing open, play stays off") << 0 << "" << false << false << false;
    QTest::newRow("stopped, nothing open, play stays on") << 0 << "" << true << true << false;
    QTest::newRow("other state leaves both on") << 3 << "/a.wav" << true << true << true;
    QTest::newRow("other state leaves both off") << -1 << "/a.wav" << false << false << false;
}

void TestStatusUpdates::playAndPauseFollowThePlayer()
{
    QFETCH(int, state);
    QFETCH(QString, fileName);
    QFETCH(bool, enabledBefore);
    QFETCH(bool, play);
    QFETCH(bool, pause);
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    f.player.script.state = state;
    f.player.script.fileName = fileName;
    w.playButton->setEnabled(enabledBefore);
    w.pauseButton->setEnabled(enabledBefore);

    j.updateStatus();

    QCOMPARE(w.playButton->isEnabled(), play);
    QCOMPARE(w.pauseButton->isEnabled(), pause);
}

void TestStatusUpdates::removeButton_data()
{
    QTest::addColumn<int>("artistRow");
    QTest::addColumn<int>("titleRow");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing selected") << -1 << -1 << false;
    QTest::newRow("both selected") << 0 << 1 << false;
    QTest::newRow("only an artist") << 1 << -1 << true;
    QTest::newRow("only a title") << -1 << 2 << true;
}

void TestStatusUpdates::removeButton()
{
    QFETCH(int, artistRow);
    QFETCH(int, titleRow);
    QFETCH(bool, enabled);
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    w.artistList->setCurrentRow(artistRow);
    w.titleList->setCurrentRow(titleRow);
    w.removeRecordButton->setEnabled(true);

    j.updateStatus();

    QCOMPARE(w.removeRecordButton->isEnabled(), enabled);
}

void TestStatusUpdates::statusLine_data()
{
    QTest::addColumn<Wizard>("wizard");
    QTest::addColumn<int>("entries"); // 0, or both records of Granite (768 KB each)
    QTest::addColumn<QString>("line");
    const QString normal2 = QStringLiteral("Artists: 2    Titles: 3    Playlist: 2 files");
    QTest::newRow("browsing") << NoWizard << 2 << normal2;
    QTest::newRow("wizard selecting") << Selecting << 2 << " 2 files selected, 1.5 Megabyte";
    QTest::newRow("wizard, empty playlist") << Selecting << 0 << " 0 files selected, 0 Kilobyte";
    QTest::newRow("wizard finished") << Finished << 2 << normal2;
    QTest::newRow("wizard busy copying") << Copying << 2 << normal2;
}

void TestStatusUpdates::statusLine()
{
    QFETCH(Wizard, wizard);
    QFETCH(int, entries);
    QFETCH(QString, line);
    JukeboxFixture f;
    const QByteArray kilobytes768(768 * 1024, 'x');
    Jukebox& j = startWithLibrary(f, {
        {"The Examples", "First Song", "Pop", f.writeFile("first.wav", "short")},
        {"Granite", "Stone Cold", "Rock", f.writeFile("stone.wav", kilobytes768)},
        {"Granite", "Heavy Square", "Rock", f.writeFile("heavy.wav", kilobytes768)},
    });
    MainWindow& w = f.window();
    if (wizard != NoWizard)
        j.cdWizard().start();
    if (entries > 0) {
        j.browser().selectArtistRow(0);
        QCOMPARE(w.artistList->text(w.artistList->currentRow()).trimmed(), QStringLiteral("Granite"));
        j.playlistEditor().dropOntoPlaylist(LibraryDragSource::Artists);
        QCOMPARE(w.playlist->count(), entries);
        j.browser().showAllTitles(); // the title list holds every title again
    }

    if (wizard == Finished || wizard == Copying) {
        QVERIFY(QDir(f.dir.path()).mkdir("cd"));
        f.fileDialog.answers = {f.dir.filePath("cd/Set.VxDatabase")};
    }
    if (wizard == Finished) {
        j.cdWizard().copySelection();
        QCOMPARE(w.wizardCancelButton->text(), QStringLiteral("Done"));
        QVERIFY(j.mode().inCdWizard());
        j.updateStatus();
        QCOMPARE(w.statusLine->text(), line);
    } else if (wizard == Copying) {
        // The copy shows its progress on the window; a tick then finds the wizard copying.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QString lineWhileCopying;
        const OnPaint tickWhileCopying(
            w.statusLine, [&] { return j.mode().inCdWizard() && !w.wizardCancelButton->isEnabled(); },
            [&] {
                j.updateStatus();
                lineWhileCopying = w.statusLine->text();
            });
        j.cdWizard().copySelection();
        QVERIFY(tickWhileCopying.done());
        QCOMPARE(lineWhileCopying, line);
        QCOMPARE(w.wizardCancelButton->text(), QStringLiteral("Done"));
    } else {
        j.updateStatus();
        QCOMPARE(w.statusLine->text(), line);
    }
}

void TestStatusUpdates::addButton_data()
{
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("genre");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all three") << "Granite" << "New" << "Rock" << true;
    QTest::newRow("blanks count") << " " << " " << " " << true;
    QTest::newRow("no artist") << "" << "New" << "Rock" << false;
    QTest::newRow("no title") << "Granite" << "" << "Rock" << false;
    QTest::newRow("no genre") << "Granite" << "New" << "" << false;
}

void TestStatusUpdates::addButton()
{
    QFETCH(QString, artist);
    QFETCH(QString, title);
    QFETCH(QString, genre);
    QFETCH(bool, enabled);
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    w.artistField->setText(artist);
    w.titleField->setText(title);
    w.genreField->setText(genre);
    w.addRecordButton->setEnabled(!enabled);

    j.updateStatus();

    QCOMPARE(w.addRecordButton->isEnabled(), enabled);
}

void TestStatusUpdates::timeDisplaysChangeOncePerSecond()
{
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();

    // Nothing open: -1 counts as 0, the second shown last; the clocks are left alone, and so
    // they are for the rest of second 0.
    w.playtimeLabel->setText("untouched");
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("untouched"));
    f.player.script.position = 0.6;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("untouched"));

    f.player.script.position = 3725.7;
    f.player.script.duration = 4000.9;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("01:02:05"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:04:35"));

    // Within the same second nothing is rewritten.
    w.playtimeLabel->setText("same second");
    w.timeLeftLabel->setText("same second");
    f.player.script.position = 3725.95;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("same second"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("same second"));

    f.player.script.position = 3726.0;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("01:02:06"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:04:34"));
}

void TestStatusUpdates::unknownLengthShowsNoTimeLeft()
{
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    f.player.script.duration = 0; // a stream whose length the player cannot tell
    f.player.script.position = 5.2;

    j.updateStatus();

    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:05"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:00:00"));
}

void TestStatusUpdates::stopShowsZeroAndTheFullLength()
{
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    f.player.script.fileName = "/a.wav";
    f.player.script.duration = 185;
    f.player.script.position = 42;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:42"));

    w.stopButton->click();
    j.updateStatus();

    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:03:05"));
    // Second 0 is now the one shown: the rest of it rewrites nothing.
    w.playtimeLabel->setText("second 0");
    f.player.script.position = 0.9;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("second 0"));
}

// The player learns an entry's length only after the first ticks; the time left shows it as soon
// as it is known, even while the whole second of play stays the same (at the start, or stopped
// in the first half second).
void TestStatusUpdates::lengthLearntLateIsShown_data()
{
    QTest::addColumn<bool>("stopFirst");
    QTest::newRow("right after the entry opens") << false;
    QTest::newRow("stopped in the first half second") << true;
}

void TestStatusUpdates::lengthLearntLateIsShown()
{
    QFETCH(bool, stopFirst);
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    shownPlaylist(w.playlist).append({entryOfText("/a.wav")});
    j.playerControl().openEntry(1); // the fake player opens at 0, its length not yet known
    j.updateStatus();
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:00:00"));
    f.player.script.position = 0.4;
    if (stopFirst)
        w.stopButton->click();

    f.player.script.duration = 185.2;
    j.updateStatus();

    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:03:05"));
    // Written once: the next ticks of the same second and length rewrite nothing.
    w.timeLeftLabel->setText("unchanged");
    j.updateStatus();
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("unchanged"));
}

void TestStatusUpdates::stepsRunInOrder()
{
    // The play state is read before an open request is carried out, the time displays after.
    JukeboxFixture f;
    Jukebox& j = startWithLibrary(f);
    MainWindow& w = f.window();
    shownPlaylist(w.playlist).append(entriesOfTexts({"/a.wav", "/b.wav"}));
    f.player.script.state = MediaPlayer::Stopped;
    f.player.script.position = 30;
    j.updateStatus();
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:30"));
    j.playerControl().requestNextEntry(); // the first entry, as nothing was opened yet
    QCOMPARE(j.playlist().position(), 1);
    QVERIFY(opened(f.player).isEmpty());

    j.updateStatus(); // the fake player opens at 0 and plays

    QVERIFY(!opened(f.player).isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Vexolin: /a.wav"));
    QVERIFY(!w.pauseButton->isEnabled());
    QCOMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:00"));
    const qsizetype opens = opened(f.player).size();
    j.updateStatus();
    QVERIFY(w.pauseButton->isEnabled());
    QCOMPARE(opened(f.player).size(), opens); // the request was carried out once
}

void TestStatusUpdates::oddPlayerAnswersKeepTheTicksRunning()
{
    JukeboxFixture f;
    f.start(f.writeDatabase("Music.VxDatabase", Records));
    MainWindow& w = f.window();
    f.player.script.state = 77;
    f.player.script.position = 9.5;
    f.player.script.duration = 20;
    QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:09"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:00:11"));

    f.player.script.position = std::nan("");
    f.player.script.duration = -std::numeric_limits<double>::infinity();
    QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("00:00:00"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:00:00"));

    f.player.script.position = std::numeric_limits<double>::infinity();
    f.player.script.duration = std::numeric_limits<double>::max();
    QTRY_COMPARE(w.playtimeLabel->text(), QStringLiteral("596523:14:07"));
    QCOMPARE(w.timeLeftLabel->text(), QStringLiteral("00:00:00"));
    QVERIFY(w.statusTimer->isActive());
}

QTEST_MAIN(TestStatusUpdates)
#include "tst_status_updates.moc"
