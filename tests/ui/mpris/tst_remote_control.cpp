// The player as the desktop's media keys and widgets drive it: commands act as the transport
// buttons do, availability follows the buttons, the metadata describe the opened entry, and
// every change is announced once, at the status tick.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/mpris/RemoteControl.h"
#include "ui/playback/PlayerControl.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QDBusObjectPath>
#include <QHash>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QList<QStringList> Records = {
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
};

// A playlist of three plain entries; "none" opens nothing, "playing", "paused" and "stopped"
// open the second entry and leave it so. A status tick brings the buttons up to date.
void prepare(JukeboxFixture& f, const QString& state)
{
    Jukebox& j = f.startWithRecords(Records);
    if (shownPlaylist(j.window().playlist).append(entriesOfTexts({"/a.wav", "/b.wav", "/c.wav"})) != 3)
        qFatal("the playlist did not take the entries");
    j.playerControl().updateEntryCounter();
    if (state != "none")
        j.window().playlist->setCurrentRow(1);
    j.updateStatus();
    if (state == "paused" || state == "stopped") {
        (state == "paused" ? j.window().pauseButton : j.window().stopButton)->click();
        j.updateStatus();
    }
    f.player.calls.clear();
}

QString trackId(const QVariantMap& metadata)
{
    return metadata.value("mpris:trackid").value<QDBusObjectPath>().path();
}

} // namespace

class TestRemoteControl : public QObject
{
    Q_OBJECT
private slots:
    void commandsActAsTheButtonsOnlyWhileEnabled_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("calls"); // the player's calls, one status tick later

        const QStringList none;
        const QStringList restart{"setCurrentPosition 0", "stop"};
        // The entry counter's row change opens the same entry a second time, as a click would.
        const QStringList nextOpened{"open /c.wav", "open /c.wav"};
        const QStringList previousOpened{"open /a.wav", "open /a.wav"};
        QTest::newRow("nothing open: play") << "none" << "play" << none;
        QTest::newRow("nothing open: play-pause") << "none" << "playPause" << none;
        QTest::newRow("nothing open: next") << "none" << "next" << none;
        QTest::newRow("nothing open: previous") << "none" << "previous" << none;
        QTest::newRow("nothing open: stop") << "none" << "stop" << none;
        QTest::newRow("playing: play") << "playing" << "play" << none;
        QTest::newRow("playing: pause") << "playing" << "pause" << QStringList{"pause"};
        QTest::newRow("playing: play-pause") << "playing" << "playPause" << QStringList{"pause"};
        QTest::newRow("playing: stop") << "playing" << "stop" << restart;
        QTest::newRow("playing: next") << "playing" << "next" << nextOpened;
        QTest::newRow("playing: previous") << "playing" << "previous" << previousOpened;
        QTest::newRow("paused: pause") << "paused" << "pause" << none;
        QTest::newRow("paused: play") << "paused" << "play" << QStringList{"play"};
        QTest::newRow("paused: play-pause") << "paused" << "playPause" << QStringList{"play"};
        QTest::newRow("stopped: pause") << "stopped" << "pause" << none;
        QTest::newRow("stopped: play-pause") << "stopped" << "playPause" << QStringList{"play"};
    }
    void commandsActAsTheButtonsOnlyWhileEnabled()
    {
        QFETCH(QString, state);
        QFETCH(QString, command);
        QFETCH(QStringList, calls);
        JukeboxFixture f;
        prepare(f, state);
        const QHash<QString, void (RemoteControl::*)()> commands{
            {"play", &RemoteControl::play}, {"pause", &RemoteControl::pause},
            {"playPause", &RemoteControl::playPause}, {"stop", &RemoteControl::stop},
            {"next", &RemoteControl::next}, {"previous", &RemoteControl::previous}};
        QVERIFY(commands.contains(command));
        (f.jukebox->remoteControl().*commands.value(command))();
        f.jukebox->updateStatus();
        QCOMPARE(f.player.calls, calls);
    }

    // Previous and next are available while their buttons are enabled. Play and pause in MPRIS's
    // sense: a media that plays can be played, one that is paused can be paused; both need
    // something open.
    void availabilityFollowsTheButtons_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("canPlay");
        QTest::addColumn<bool>("canPause");
        QTest::addColumn<QString>("status");
        QTest::newRow("nothing open") << "none" << false << false << "Stopped";
        QTest::newRow("playing") << "playing" << true << true << "Playing";
        QTest::newRow("paused") << "paused" << true << true << "Paused";
        QTest::newRow("stopped") << "stopped" << true << false << "Stopped";
    }
    void availabilityFollowsTheButtons()
    {
        QFETCH(QString, state);
        QFETCH(bool, canPlay);
        QFETCH(bool, canPause);
        QFETCH(QString, status);
        JukeboxFixture f;
        prepare(f, state);
        const MainWindow& w = f.window();
        const RemoteControl& remote = f.jukebox->remoteControl();
        QCOMPARE(remote.canPlay(), canPlay);
        QCOMPARE(remote.canPause(), canPause);
        QCOMPARE(remote.playbackStatus(), status);
        QCOMPARE(remote.canGoNext(), w.nextEntryButton->isEnabled());
        QCOMPARE(remote.canGoPrevious(), w.previousEntryButton->isEnabled());
        QCOMPARE(remote.canGoNext(), state != "none");
    }

    // Previous disables its button at once, before the tick opens the entry: a second press in
    // between does nothing, from the window or from the desktop.
    void previousIsUnavailableUntilItsEntryOpens()
    {
        JukeboxFixture f;
        prepare(f, "playing");
        RemoteControl& remote = f.jukebox->remoteControl();
        remote.previous();
        QVERIFY(!remote.canGoPrevious());
        remote.previous();
        QCOMPARE(f.jukebox->playlist().position(), 1);
    }

    void metadataDescribeTheOpenedEntry()
    {
        JukeboxFixture f;
        Jukebox& j = f.startWithRecords(Records);
        const RemoteControl& remote = j.remoteControl();
        QCOMPARE(remote.metadata(), (QVariantMap{{"mpris:trackid", QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack"))}}));

        shownPlaylist(j.window().playlist).append({libraryEntry(j.library().table(), 2), entryOfText("/saved/tone 3.wav")});
        j.window().playlist->setCurrentRow(0);
        QVariantMap data = remote.metadata();
        QCOMPARE(data.value("xesam:title").toString(), QString("Stone Cold"));
        QCOMPARE(data.value("xesam:artist").toStringList(), QStringList{"Granite"});
        QCOMPARE(data.value("xesam:url").toString(), QString("file:///media/stone.wav"));
        QVERIFY(!data.contains("mpris:length")); // not known yet
        const QString first = trackId(data);
        QVERIFY(first.startsWith("/org/vexolin/Track/"));

        f.player.script.duration = 185.5;
        QCOMPARE(remote.metadata().value("mpris:length"), QVariant(qlonglong(185'500'000)));

        j.window().playlist->setCurrentRow(1);
        data = remote.metadata();
        QCOMPARE(data.value("xesam:title").toString(), QString("tone 3.wav"));
        QVERIFY(!data.contains("xesam:artist"));
        QCOMPARE(data.value("xesam:url").toString(), QString("file:///saved/tone%203.wav"));
        QVERIFY(trackId(data) != first);
    }

    void positionIsInMicroseconds()
    {
        JukeboxFixture f;
        const RemoteControl& remote = f.start().remoteControl();
        QCOMPARE(remote.position(), 0); // nothing open: the player says -1
        f.player.script.position = 12.25;
        QCOMPARE(remote.position(), 12'250'000);
    }

    void changesAreAnnouncedOnceAtTheStatusTick()
    {
        JukeboxFixture f;
        prepare(f, "none");
        Jukebox& j = *f.jukebox;
        QSignalSpy announced(&j.remoteControl(), &RemoteControl::propertiesChanged);
        j.updateStatus();
        QCOMPARE(announced.count(), 0);

        j.window().playlist->setCurrentRow(0);
        QCOMPARE(announced.count(), 0);
        j.updateStatus();
        QCOMPARE(announced.count(), 1);
        QVariantMap changed = announced.takeFirst()[0].toMap();
        QCOMPARE(QStringList(changed.keys()), (QStringList{"CanGoNext", "CanPause", "CanPlay", "Metadata", "PlaybackStatus"}));
        QCOMPARE(changed["PlaybackStatus"].toString(), QString("Playing"));
        QCOMPARE(changed["Metadata"].toMap().value("xesam:title").toString(), QString("a.wav"));
        j.updateStatus();
        QCOMPARE(announced.count(), 0);

        f.player.script.duration = 3;
        j.remoteControl().pause();
        j.updateStatus();
        QCOMPARE(announced.count(), 1);
        changed = announced.takeFirst()[0].toMap();
        QCOMPARE(QStringList(changed.keys()), (QStringList{"Metadata", "PlaybackStatus"}));
        QCOMPARE(changed["PlaybackStatus"].toString(), QString("Paused"));
        QCOMPARE(changed["Metadata"].toMap().value("mpris:length"), QVariant(qlonglong(3'000'000)));

        // A passing state of the player changes nothing that was announced.
        f.player.script.state = 3;
        j.updateStatus();
        QCOMPARE(announced.count(), 0);
        QCOMPARE(j.remoteControl().playbackStatus(), QString("Paused"));
    }

    // Quit is closing the window: an edit in progress is completed first. It comes after the
    // caller has had its answer.
    void quitClosesTheWindowFinishingAnEdit()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("a.VxDatabase", {{"A", "T", "G", "/a"}, {"B", "U", "G", "/b"}});
        Jukebox& j = f.start(db);
        MainWindow& window = j.window();
        window.show();
        window.editDatabaseAction->trigger();
        j.browser().selectArtistRow(1); // B
        window.removeRecordButton->click();
        QVERIFY(j.library().needsRewrite());

        j.remoteControl().quit();
        QVERIFY(window.isVisible());
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(!j.mode().isEditing());
        QVERIFY(!j.library().isOpen());
        QCOMPARE(fileBytes(db), QByteArray("A\r\nT\r\nG\r\n/a\r\n"));
    }

    void raiseBringsTheWindowBack()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& window = j.window();
        window.showMinimized();
        j.remoteControl().requestRaise();
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
    }
};

QTEST_MAIN(TestRemoteControl)
#include "tst_remote_control.moc"
