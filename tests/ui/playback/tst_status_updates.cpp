// The 100 ms status timer: play/pause buttons, editor buttons, status line, open requests and
// the time displays.
#include "JukeboxFixture.h"
#include "playback/StatusTimer.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <limits>

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"Granite", "Heavy Square", "Rock", "/media/heavy.wav"},
};

Form1& startWithLibrary(JukeboxFixture& f)
{
    Form1& form = f.start(f.writeDatabase("Music.VxDatabase", Records));
    form.statusTimer->stop(); // the tests tick by hand
    return form;
}

void tick(Form1& form)
{
    form.statusTimer->Timer1_Timer();
}

} // namespace

class TestStatusTimer : public QObject
{
    Q_OBJECT
private slots:
    void runsTenTimesASecondFromStartUp();
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
    void stepsRunInOrder();
    void oddPlayerAnswersKeepTheTimerRunning();
};

void TestStatusTimer::runsTenTimesASecondFromStartUp()
{
    JukeboxFixture f;
    Form1& form = f.start(f.writeDatabase("Music.VxDatabase", Records));
    QVERIFY(form.statusTimer->isActive());
    QCOMPARE(form.statusTimer->interval(), 100);
    QTRY_COMPARE(form.statusLine->text(), QStringLiteral("Artists: 2    Titles: 3    Playlist: 0 files"));
}

void TestStatusTimer::playAndPauseFollowThePlayer_data()
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

void TestStatusTimer::playAndPauseFollowThePlayer()
{
    QFETCH(int, state);
    QFETCH(QString, fileName);
    QFETCH(bool, enabledBefore);
    QFETCH(bool, play);
    QFETCH(bool, pause);
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    f.player.script.state = state;
    f.player.script.fileName = fileName;
    form.playButton->setEnabled(enabledBefore);
    form.pauseButton->setEnabled(enabledBefore);

    tick(form);

    QCOMPARE(form.playButton->isEnabled(), play);
    QCOMPARE(form.pauseButton->isEnabled(), pause);
}

void TestStatusTimer::removeButton_data()
{
    QTest::addColumn<int>("artistRow");
    QTest::addColumn<int>("titleRow");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing selected") << -1 << -1 << false;
    QTest::newRow("both selected") << 0 << 1 << false;
    QTest::newRow("only an artist") << 1 << -1 << true;
    QTest::newRow("only a title") << -1 << 2 << true;
}

void TestStatusTimer::removeButton()
{
    QFETCH(int, artistRow);
    QFETCH(int, titleRow);
    QFETCH(bool, enabled);
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    form.artistList->setCurrentRow(artistRow);
    form.titleList->setCurrentRow(titleRow);
    form.removeRecordButton->setEnabled(true);

    tick(form);

    QCOMPARE(form.removeRecordButton->isEnabled(), enabled);
}

void TestStatusTimer::statusLine_data()
{
    QTest::addColumn<bool>("wizardShown");
    QTest::addColumn<bool>("cancelEnabled");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("entries");
    QTest::addColumn<qint64>("kilobytes");
    QTest::addColumn<QString>("line");
    const QString normal2 = QStringLiteral("Artists: 2    Titles: 3    Playlist: 2 files");
    QTest::newRow("browsing") << false << true << "Cancel" << 2 << qint64(1536) << normal2;
    QTest::newRow("wizard selecting") << true << true << "Cancel" << 2 << qint64(1536)
                                      << " 2 files selected, 1.5 Megabyte";
    QTest::newRow("wizard, empty playlist") << true << true << "Cancel" << 0 << qint64(0)
                                            << " 0 files selected, 0 Kilobyte";
    QTest::newRow("wizard finished") << true << true << "Done" << 2 << qint64(1536) << normal2;
    QTest::newRow("wizard busy copying") << true << false << "Cancel" << 2 << qint64(1536) << normal2;
}

void TestStatusTimer::statusLine()
{
    QFETCH(bool, wizardShown);
    QFETCH(bool, cancelEnabled);
    QFETCH(QString, caption);
    QFETCH(int, entries);
    QFETCH(qint64, kilobytes);
    QFETCH(QString, line);
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    for (int i = 0; i < entries; ++i)
        form.playlist->addItem(QStringLiteral("/media/%1.wav").arg(i));
    form.wizardCancelButton->setVisible(wizardShown);
    form.wizardCancelButton->setEnabled(cancelEnabled);
    form.wizardCancelButton->setText(caption);
    form.SelectionSize = kilobytes;

    tick(form);

    QCOMPARE(form.statusLine->text(), line);
}

void TestStatusTimer::addButton_data()
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

void TestStatusTimer::addButton()
{
    QFETCH(QString, artist);
    QFETCH(QString, title);
    QFETCH(QString, genre);
    QFETCH(bool, enabled);
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    form.artistField->setText(artist);
    form.titleField->setText(title);
    form.genreField->setText(genre);
    form.addRecordButton->setEnabled(!enabled);

    tick(form);

    QCOMPARE(form.addRecordButton->isEnabled(), enabled);
}

void TestStatusTimer::timeDisplaysChangeOncePerSecond()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);

    // Nothing open: -1 counts as 0, the second shown last; the clocks are left alone.
    form.playtimeLabel->setText("untouched");
    tick(form);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("untouched"));
    QCOMPARE(form.statusTimer->LastShownSecond, 0);

    f.player.script.position = 3725.7;
    f.player.script.duration = 4000.9;
    tick(form);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("01:02:05"));
    QCOMPARE(form.timeLeftLabel->text(), QStringLiteral("00:04:35"));
    QCOMPARE(form.statusTimer->LastShownSecond, 3725);

    // Within the same second nothing is rewritten.
    form.playtimeLabel->setText("same second");
    f.player.script.position = 3725.95;
    tick(form);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("same second"));

    f.player.script.position = 3726.0;
    tick(form);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("01:02:06"));
    QCOMPARE(form.timeLeftLabel->text(), QStringLiteral("00:04:34"));
}

void TestStatusTimer::unknownLengthShowsNoTimeLeft()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    f.player.script.duration = 0; // a stream whose length the player cannot tell
    f.player.script.position = 5.2;

    tick(form);

    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("00:00:05"));
    QCOMPARE(form.timeLeftLabel->text(), QStringLiteral("00:00:00"));
}

void TestStatusTimer::stopShowsZeroAndTheFullLength()
{
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    f.player.script.fileName = "/a.wav";
    f.player.script.duration = 185;
    f.player.script.position = 42;
    tick(form);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("00:00:42"));

    form.stopButton->click();
    tick(form);

    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("00:00:00"));
    QCOMPARE(form.timeLeftLabel->text(), QStringLiteral("00:03:05"));
    QCOMPARE(form.statusTimer->LastShownSecond, 0);
}

void TestStatusTimer::stepsRunInOrder()
{
    // The play state is read before an open request is carried out, the time displays after.
    JukeboxFixture f;
    Form1& form = startWithLibrary(f);
    form.playlist->addItems({"/a.wav", "/b.wav"});
    f.player.script.state = MediaPlayer::Stopped;
    f.player.script.position = 30;
    tick(form);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("00:00:30"));
    form.PlaylistPosition = 1;
    form.OpenRequested = true;

    tick(form); // the fake player opens at 0 and plays

    QVERIFY(!form.OpenRequested);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vexolin: /a.wav"));
    QVERIFY(!form.pauseButton->isEnabled());
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("00:00:00"));
    tick(form);
    QVERIFY(form.pauseButton->isEnabled());
}

void TestStatusTimer::oddPlayerAnswersKeepTheTimerRunning()
{
    JukeboxFixture f;
    Form1& form = f.start(f.writeDatabase("Music.VxDatabase", Records));
    f.player.script.state = 77;
    f.player.script.position = std::nan("");
    f.player.script.duration = -std::numeric_limits<double>::infinity();
    form.statusTimer->LastShownSecond = 9;
    QTRY_COMPARE(form.statusTimer->LastShownSecond, 0);
    QCOMPARE(form.playtimeLabel->text(), QStringLiteral("00:00:00"));
    QCOMPARE(form.timeLeftLabel->text(), QStringLiteral("00:00:00"));

    f.player.script.position = std::numeric_limits<double>::infinity();
    f.player.script.duration = std::numeric_limits<double>::max();
    QTRY_COMPARE(form.playtimeLabel->text(), QStringLiteral("596523:14:07"));
    QCOMPARE(form.timeLeftLabel->text(), QStringLiteral("00:00:00"));
    QVERIFY(form.statusTimer->isActive());
}

QTEST_MAIN(TestStatusTimer)
#include "tst_status_updates.moc"
