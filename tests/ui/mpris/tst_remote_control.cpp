// The player as the desktop's media keys and widgets drive it: commands act as the transport
// buttons do, availability follows the buttons, the metadata describe the opened entry, and
// every change is announced once, at the status tick.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "ui/browser/LibraryBrowser.h"
#include "player/MediaPlayer.h"
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

// The properties of every announcement the spy holds, taken out of it, in one map; a property
// announced twice fails the test.
QVariantMap mergedOnce(QSignalSpy& announced)
{
    QVariantMap merged;
    for (const QList<QVariant>& signal : announced) {
        const QVariantMap changed = signal[0].toMap();
        for (auto it = changed.begin(); it != changed.end(); ++it) {
            if (merged.contains(it.key()))
                QTest::qFail(qPrintable(it.key() + QStringLiteral(" announced twice")), __FILE__, __LINE__);
            merged.insert(it.key(), it.value());
        }
    }
    announced.clear();
    return merged;
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

    // The same entry opened again (a retry) stays the same track; another entry is another.
    void trackIdsFollowTheEntries()
    {
        JukeboxFixture f;
        prepare(f, "playing");
        const RemoteControl& remote = f.jukebox->remoteControl();
        const QString playing = remote.trackId();
        f.jukebox->playerControl().openEntry(2);
        QCOMPARE(remote.trackId(), playing);
        f.jukebox->playerControl().openEntry(3);
        QVERIFY(remote.trackId() != playing);
    }

    // Seek jumps by an offset, SetPosition to a place of the open track; neither acts while the
    // media cannot seek. Past the end, Seek goes on to the next entry.
    void seekingActsOnlyWhereItCan_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<qlonglong>("amount");
        QTest::addColumn<bool>("seekable");
        QTest::addColumn<double>("expected"); // the player's position afterwards, seconds
        QTest::addColumn<bool>("jumps");      // Seeked is announced
        QTest::addColumn<int>("position");    // the playlist's position afterwards
        QTest::newRow("forward") << "seek" << 3'000'000LL << true << 5.0 << true << 2;
        QTest::newRow("back past the start") << "seek" << -9'000'000LL << true << 0.0 << true << 2;
        QTest::newRow("past the end: next entry opens") << "seek" << 20'000'000LL << true << 0.0 << false << 3;
        QTest::newRow("cannot seek") << "seek" << 3'000'000LL << false << 2.0 << false << 2;
        QTest::newRow("to a position") << "set" << 7'500'000LL << true << 7.5 << true << 2;
        QTest::newRow("to a position past the end") << "set" << 11'000'000LL << true << 2.0 << false << 2;
        QTest::newRow("to a negative position") << "set" << -1LL << true << 2.0 << false << 2;
        QTest::newRow("of another track") << "other" << 1'000'000LL << true << 2.0 << false << 2;
        QTest::newRow("to a position, cannot seek") << "set" << 1'000'000LL << false << 2.0 << false << 2;
    }
    void seekingActsOnlyWhereItCan()
    {
        QFETCH(QString, how);
        QFETCH(qlonglong, amount);
        QFETCH(bool, seekable);
        QFETCH(double, expected);
        QFETCH(bool, jumps);
        QFETCH(int, position);
        JukeboxFixture f;
        prepare(f, "playing");
        f.player.script.duration = 10;
        f.player.script.position = 2;
        f.player.script.seekable = seekable;
        RemoteControl& remote = f.jukebox->remoteControl();
        QCOMPARE(remote.canSeek(), seekable);
        QSignalSpy seeked(&remote, &RemoteControl::seeked);

        if (how == "seek")
            remote.seek(amount);
        else
            remote.setPosition(how == "set" ? remote.trackId() : QStringLiteral("/org/vexolin/Track/999"), amount);
        f.jukebox->updateStatus();

        QCOMPARE(f.player.currentPosition(), expected);
        QCOMPARE(f.jukebox->playlist().position(), position);
        QCOMPARE(seeked.count(), jumps ? 1 : 0);
        if (jumps)
            QCOMPARE(seeked.at(0).at(0).toLongLong(), qlonglong(expected * 1e6));
    }

    // The volume is the player's, 0.0 to 1.0 both ways; the rate stays 1.0, and 0.0 pauses.
    void volumeAndRate()
    {
        JukeboxFixture f;
        prepare(f, "playing");
        RemoteControl& remote = f.jukebox->remoteControl();
        QCOMPARE(remote.volume(), 1.0);
        remote.setVolume(0.5);
        QCOMPARE(f.player.volume(), 50);
        remote.setVolume(1.7);
        QCOMPARE(f.player.volume(), 100);
        remote.setVolume(-0.2);
        QCOMPARE(f.player.volume(), 0);
        f.player.setVolume(30);
        QCOMPARE(remote.volume(), 0.3);

        remote.setRate(2.0);
        QVERIFY(!f.player.calls.contains("pause"));
        remote.setRate(0.0);
        QCOMPARE(f.player.state(), int(MediaPlayer::Paused));
    }

    // An address the desktop asks to play is appended and plays; what the player does not take,
    // or the CD wizard, refuses it with a reason, and nothing is added.
    void openUriAppendsAndPlays_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<bool>("inCdWizard");
        QTest::addColumn<QString>("entry"); // empty: refused
        QTest::newRow("file URI") << "file:///media/a%20b.wav" << false << "/media/a b.wav";
        QTest::newRow("network stream") << "http://radio.example/stream" << false << "http://radio.example/stream";
        QTest::newRow("local path") << "/media/c.ogg" << false << "/media/c.ogg";
        QTest::newRow("descriptor address") << "fd://3" << false << "";
        QTest::newRow("unknown scheme") << "smb://host/x.mp3" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("during the CD wizard") << "/media/c.ogg" << true << "";
    }
    void openUriAppendsAndPlays()
    {
        QFETCH(QString, uri);
        QFETCH(bool, inCdWizard);
        QFETCH(QString, entry);
        JukeboxFixture f;
        prepare(f, "none");
        Jukebox& j = *f.jukebox;
        if (inCdWizard)
            j.window().createCdAction->trigger();
        const QStringList before = JukeboxFixture::texts(j.window().playlist);

        const QString refusal = j.remoteControl().openUri(uri);

        if (entry.isEmpty()) {
            QVERIFY(!refusal.isEmpty());
            QCOMPARE(JukeboxFixture::texts(j.window().playlist), before);
            QVERIFY(f.player.calls.filter("open").isEmpty());
            return;
        }
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
        QCOMPARE(JukeboxFixture::texts(j.window().playlist), before + QStringList{entry});
        QCOMPARE(j.playlist().position(), int(before.size()) + 1);
        QCOMPARE(f.player.calls.filter("open"), QStringList{"open " + entry});
    }

    void positionIsInMicroseconds()
    {
        JukeboxFixture f;
        const RemoteControl& remote = f.start().remoteControl();
        QCOMPARE(remote.position(), 0); // nothing open: the player says -1
        f.player.script.position = 12.25;
        QCOMPARE(remote.position(), 12'250'000);
    }

    // Each change is announced once: what the player changes at once, the rest at the status tick.
    void changesAreAnnouncedOnce()
    {
        JukeboxFixture f;
        prepare(f, "none");
        Jukebox& j = *f.jukebox;
        QSignalSpy announced(&j.remoteControl(), &RemoteControl::propertiesChanged);
        j.updateStatus();
        QCOMPARE(announced.count(), 0);

        j.window().playlist->setCurrentRow(0);
        j.updateStatus();
        QVariantMap changed = mergedOnce(announced);
        QCOMPARE(QStringList(changed.keys()), (QStringList{"CanGoNext", "CanPause", "CanPlay", "CanSeek", "Metadata", "PlaybackStatus"}));
        QCOMPARE(changed["PlaybackStatus"].toString(), QString("Playing"));
        QCOMPARE(changed["Metadata"].toMap().value("xesam:title").toString(), QString("a.wav"));
        j.updateStatus();
        QCOMPARE(announced.count(), 0);

        f.player.script.duration = 3;
        j.remoteControl().pause();
        j.updateStatus();
        changed = mergedOnce(announced);
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
