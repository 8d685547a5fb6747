#include "player/MpvPlayer.h"

#include "WavWriter.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Generous: the build machine is slow and loaded; these only bound a wait, they time nothing.
constexpr int Timeout = 20000;
}

class TestMpvPlayer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QString padded(const QString& text) { return text.leftJustified(255, u' '); }

    void writePlaylist(const QString& name, const QStringList& entries)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("#EXTM3U\n" + entries.join(u'\n').toUtf8() + "\n");
    }

    // Opens a media and waits until its first entry plays.
    static void openAndWait(MpvPlayer& player, const QString& media)
    {
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QVERIFY(player.open(media));
        QTRY_VERIFY_WITH_TIMEOUT(started.count() >= 1, Timeout);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeToneWav(path("short.wav"), 1.0));
        QVERIFY(writeToneWav(path("mid.wav"), 1.5, 550));
        QVERIFY(writeToneWav(path("long.wav"), 2.0, 660));
        QVERIFY(writeToneWav(path("a.wav"), 0.6, 440));
        QVERIFY(writeToneWav(path("b.wav"), 0.6, 550));
        QVERIFY(writeToneWav(path("c.wav"), 0.6, 660));
        writePlaylist("three.m3u", {"a.wav", "b.wav", "c.wav"});
        writePlaylist("broken.m3u", {"missing.wav", "a.wav"});
        writePlaylist("self.m3u", {"self.m3u"});
        writePlaylist("ping.m3u", {"a.wav", "pong.m3u"});
        writePlaylist("pong.m3u", {"./ping.m3u"});
        for (int level = 0; level < 12; ++level)
            writePlaylist(QString("deep%1.m3u").arg(level), {QString("deep%1.m3u").arg(level + 1)});
        writePlaylist("deep12.m3u", {"a.wav"});
        QVERIFY(writeToneWav(path("tone:1.wav"), 0.6));
        QVERIFY(writeToneWav(path("x y.wav"), 0.6));
    }

    // Waits for the one error a media ends with, and makes sure nothing plays after it.
    static void expectEndsWithError(MpvPlayer& player, QSignalSpy& failed, const QString& text)
    {
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
        QVERIFY2(player.errorDescription().contains(text), qPrintable(player.errorDescription()));
        QTest::qWait(300);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
    }

    void nothingOpen()
    {
        MpvPlayer player;
        QCOMPARE(player.fileName(), QString());
        QCOMPARE(player.currentPosition(), -1.0);
        QCOMPARE(player.duration(), 0.0);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QCOMPARE(player.entryCount(), std::optional<int>(0));
        QVERIFY(!player.play());
        QVERIFY(!player.next());
        QVERIFY(!player.open(padded(QString())));
        QVERIFY(!player.errorDescription().isEmpty());
        QVERIFY(player.videoWidget() == nullptr);
    }

    void fileNameDropsTrailingBlanksOnly_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("playable");
        const QString file = path("short.wav");
        QTest::newRow("plain") << file << file << true;
        QTest::newRow("padded to 255") << padded(file) << file << true;
        QTest::newRow("leading blank kept") << " " + file << " " + file << false;
        QTest::newRow("tab kept") << file + "\t  " << file + "\t" << false;
    }
    void fileNameDropsTrailingBlanksOnly()
    {
        QFETCH(QString, given);
        QFETCH(QString, expected);
        QFETCH(bool, playable);
        MpvPlayer player;
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QSignalSpy failed(&player, &MediaPlayer::error);
        QVERIFY(player.open(given));
        QCOMPARE(player.fileName(), expected);
        if (playable)
            QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, Timeout);
        else
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
        QCOMPARE(player.fileName(), expected);
    }

    void playsFromOpenAndReportsDuration()
    {
        MpvPlayer player;
        openAndWait(player, path("mid.wav"));
        QCOMPARE(player.state(), int(MediaPlayer::Playing));
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(player.duration() - 1.5) < 0.05, Timeout);
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > 0.3, Timeout);
        QCOMPARE(player.currentEntry(), std::optional<int>(1));
        QCOMPARE(player.entryCount(), std::optional<int>(1));
    }

    void seeksToAbsolutePosition_data()
    {
        QTest::addColumn<double>("target");
        QTest::addColumn<bool>("beforeLoaded");
        QTest::addColumn<double>("expected");
        QTest::newRow("while loaded") << 1.2 << false << 1.2;
        QTest::newRow("right after Open") << 1.2 << true << 1.2;
        QTest::newRow("negative goes to start") << -0.5 << false << 0.0;
    }
    void seeksToAbsolutePosition()
    {
        QFETCH(double, target);
        QFETCH(bool, beforeLoaded);
        QFETCH(double, expected);
        MpvPlayer player;
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QVERIFY(player.open(path("long.wav")));
        QVERIFY(player.pause());
        if (beforeLoaded)
            QVERIFY(player.setCurrentPosition(target));
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, Timeout);
        if (!beforeLoaded)
            QVERIFY(player.setCurrentPosition(target));
        QVERIFY(qAbs(player.currentPosition() - expected) < 0.05);
        // Once mpv has done the seek, its own position must agree.
        QTest::qWait(500);
        QVERIFY2(qAbs(player.currentPosition() - expected) < 0.05,
                 qPrintable(QString::number(player.currentPosition())));
        // ... and playing goes on from there.
        QVERIFY(player.play());
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > expected + 0.2, Timeout);
    }

    // Seeking is possible once a file is loaded, and each jump is announced when it is done.
    void seekabilityAndJumpsAreAnnounced()
    {
        MpvPlayer player;
        QSignalSpy seekable(&player, &MediaPlayer::seekableChanged);
        QSignalSpy seeked(&player, &MediaPlayer::seeked);
        QVERIFY(!player.canSeek());
        openAndWait(player, path("long.wav"));
        QTRY_VERIFY_WITH_TIMEOUT(player.canSeek(), Timeout);
        QVERIFY(!seekable.isEmpty());
        QCOMPARE(seekable.last().at(0).toBool(), true);
        QVERIFY(seeked.isEmpty());

        QVERIFY(player.setCurrentPosition(1.25));
        QTRY_COMPARE_WITH_TIMEOUT(seeked.count(), 1, Timeout);
        QVERIFY(qAbs(seeked.at(0).at(0).toDouble() - 1.25) < 0.01);
    }

    // The volume is kept from one media to the next, within 0..100, and every change is told.
    void volumeIsKeptAndBounded()
    {
        MpvPlayer player;
        QSignalSpy changed(&player, &MediaPlayer::volumeChanged);
        QVERIFY(player.setVolume(40));
        QCOMPARE(player.volume(), 40);
        QCOMPARE(changed.count(), 1);
        QVERIFY(player.setVolume(40));
        QCOMPARE(changed.count(), 1);
        openAndWait(player, path("short.wav"));
        QCOMPARE(player.volume(), 40);
        QVERIFY(player.setVolume(250));
        QCOMPARE(player.volume(), 100);
        QVERIFY(player.setVolume(-5));
        QCOMPARE(player.volume(), 0);
        QCOMPARE(changed.count(), 3);
    }

    void pauseHoldsPositionAndPlayResumes()
    {
        MpvPlayer player;
        openAndWait(player, path("long.wav"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > 0.3, Timeout);
        QSignalSpy changes(&player, &MediaPlayer::stateChanged);

        QVERIFY(player.pause());
        QCOMPARE(player.state(), int(MediaPlayer::Paused));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0), (QVariantList{int(MediaPlayer::Playing), int(MediaPlayer::Paused)}));
        // The audio output may settle its reported position once just after pausing (seen on a
        // loaded machine); from then on the position must hold still.
        QTest::qWait(200);
        const double held = player.currentPosition();
        QTest::qWait(500);
        QVERIFY2(qAbs(player.currentPosition() - held) < 0.05,
                 qPrintable(QString("held %1, now %2").arg(held).arg(player.currentPosition())));

        QVERIFY(player.play());
        QCOMPARE(player.state(), int(MediaPlayer::Playing));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > held + 0.2, Timeout);
    }

    void stopRewindsAndPlayStartsAgain()
    {
        MpvPlayer player;
        openAndWait(player, path("long.wav"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > 0.3, Timeout);

        QVERIFY(player.stop());
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QCOMPARE(player.currentPosition(), 0.0);
        QTest::qWait(500);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QVERIFY(player.currentPosition() < 0.05);
        QCOMPARE(player.fileName(), path("long.wav"));

        QVERIFY(player.play());
        QCOMPARE(player.state(), int(MediaPlayer::Playing));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > 0.2, Timeout);
    }

    void endOfStreamOnceAtEndOfFile()
    {
        MpvPlayer player;
        QSignalSpy ended(&player, &MediaPlayer::endOfStream);
        openAndWait(player, path("short.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, Timeout);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QTest::qWait(500);
        QCOMPARE(ended.count(), 1);

        // Play after the end plays the file again from its start.
        QVERIFY(player.play());
        QCOMPARE(player.state(), int(MediaPlayer::Playing));
        QVERIFY(player.currentPosition() < 0.5);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 2, Timeout);
    }

    void playlistOpensAsOneMediaWithEntries()
    {
        MpvPlayer player;
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QVERIFY(player.open(path("three.m3u")));
        QVERIFY(player.pause());
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, Timeout);
        QCOMPARE(player.fileName(), path("three.m3u"));
        QCOMPARE(player.entryCount(), std::optional<int>(3));
        QCOMPARE(player.currentEntry(), std::optional<int>(1));

        QVERIFY(player.next());
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 2, Timeout);
        QCOMPARE(player.currentEntry(), std::optional<int>(2));
        QVERIFY(player.next());
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 3, Timeout);
        QCOMPARE(player.currentEntry(), std::optional<int>(3));
        QVERIFY(!player.next());
        QVERIFY(player.previous());
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 4, Timeout);
        QCOMPARE(player.currentEntry(), std::optional<int>(2));
        QCOMPARE(player.entryCount(), std::optional<int>(3));
        QCOMPARE(player.fileName(), path("three.m3u"));
    }

    void endOfStreamOnlyAfterLastPlaylistEntry()
    {
        MpvPlayer player;
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QSignalSpy ended(&player, &MediaPlayer::endOfStream);
        QVERIFY(player.open(path("three.m3u")));
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 3, Timeout);
        QCOMPARE(ended.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, Timeout);
        QCOMPARE(player.currentEntry(), std::optional<int>(3));
        QTest::qWait(500);
        QCOMPARE(ended.count(), 1);
    }

    // A record whose file line is empty: what played stops, and the failure is reported as for a
    // missing file, after open() has returned.
    void emptyFileNameStopsWhatPlayedAndReportsIt()
    {
        MpvPlayer player;
        openAndWait(player, path("long.wav"));
        QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > 0.1, Timeout);
        QSignalSpy failed(&player, &MediaPlayer::error);
        QSignalSpy started(&player, &MediaPlayer::newStream);

        QVERIFY(!player.open(padded(QString())));

        QCOMPARE(failed.count(), 0);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QCOMPARE(player.fileName(), QString());
        QCOMPARE(player.currentPosition(), -1.0);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
        QVERIFY(!player.errorDescription().isEmpty());
        QVERIFY(!player.play()); // nothing is left to resume
        QTest::qWait(300);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QCOMPARE(started.count(), 0);

        // The player opens the next file as usual.
        openAndWait(player, path("short.wav"));
        QCOMPARE(player.state(), int(MediaPlayer::Playing));
    }

    void failedOpenEmitsError_data()
    {
        QTest::addColumn<QString>("media");
        QTest::addColumn<QString>("failedFile");
        QTest::addColumn<int>("streamsAfter");
        QTest::newRow("missing file") << path("missing.wav") << path("missing.wav") << 0;
        QTest::newRow("missing playlist entry") << path("broken.m3u") << "missing.wav" << 1;
    }
    void failedOpenEmitsError()
    {
        QFETCH(QString, media);
        QFETCH(QString, failedFile);
        QFETCH(int, streamsAfter);
        MpvPlayer player;
        QSignalSpy failed(&player, &MediaPlayer::error);
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QVERIFY(player.open(media));
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
        QVERIFY2(player.errorDescription().contains(failedFile), qPrintable(player.errorDescription()));
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), streamsAfter, Timeout);
        if (streamsAfter == 0)
            QCOMPARE(player.state(), int(MediaPlayer::Stopped));
    }

    // The player's own address forms would reach into this program's descriptors and memory.
    void refusesAddressesOtherThanFilesAndStreams_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("inPlaylist");
        for (const bool inPlaylist : {false, true}) {
            const char* where = inPlaylist ? "in .m3u" : "opened";
            QTest::addRow("fdclose %s", where) << "fdclose://%1" << inPlaylist;
            QTest::addRow("fd %s", where) << "fd://%1" << inPlaylist;
            QTest::addRow("upper case %s", where) << "FD://%1" << inPlaylist;
            QTest::addRow("memory %s", where) << "memory://RIFF" << inPlaylist;
            QTest::addRow("lavf %s", where) << "lavf://file:/dev/fd/%1" << inPlaylist;
            QTest::addRow("edl %s", where) << "edl://fd://%1" << inPlaylist;
            QTest::addRow("av %s", where) << "av://lavfi:sine" << inPlaylist;
        }
    }
    void refusesAddressesOtherThanFilesAndStreams()
    {
        QFETCH(QString, address);
        QFETCH(bool, inPlaylist);
        // A descriptor of this program, with a read position that must not move.
        QFile own(path("own.bin"));
        QVERIFY(own.open(QIODevice::ReadWrite | QIODevice::Truncate));
        QVERIFY(own.write(QByteArray(4096, 'x')) == 4096);
        QVERIFY(own.seek(100));
        const int fd = own.handle();
        address.replace("%1", QString::number(fd));

        MpvPlayer player;
        QSignalSpy failed(&player, &MediaPlayer::error);
        QSignalSpy started(&player, &MediaPlayer::newStream);
        if (inPlaylist) {
            writePlaylist("hostile.m3u", {address, "a.wav"});
            QVERIFY(player.open(path("hostile.m3u")));
            QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, Timeout);  // the next entry plays
        } else {
            QVERIFY(!player.open(address));
            QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        }
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
        QVERIFY2(player.errorDescription().startsWith("Cannot open file: " + address),
                 qPrintable(player.errorDescription()));
        QVERIFY(fcntl(fd, F_GETFD) != -1);
        QCOMPARE(lseek(fd, 0, SEEK_CUR), off_t(100));
    }

    // Texts that only look like the player's address forms are files.
    void localPathsAreFiles_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("playable");
        QTest::newRow("relative with colon") << "tone:1.wav" << true;
        QTest::newRow("file URL, encoded") << QUrl::fromLocalFile(path("x y.wav")).toString(QUrl::FullyEncoded) << true;
        QTest::newRow("dash is no standard input") << "-" << false;
        QTest::newRow("file URL of dash") << "file://-" << false;
    }
    void localPathsAreFiles()
    {
        QFETCH(QString, given);
        QFETCH(bool, playable);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        MpvPlayer player;
        QSignalSpy failed(&player, &MediaPlayer::error);
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QVERIFY(player.open(given));
        QCOMPARE(player.fileName(), given);
        if (playable) {
            QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, Timeout);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
            QVERIFY2(player.errorDescription().contains(given), qPrintable(player.errorDescription()));
        }
        QCOMPARE(failed.count(), playable ? 0 : 1);
        QVERIFY(QDir::setCurrent(before));
    }

    void playlistIncludingItselfEndsWithError_data()
    {
        QTest::addColumn<QString>("media");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("streams");
        QTest::newRow("itself") << "self.m3u" << "includes itself" << 0;
        QTest::newRow("each other") << "ping.m3u" << "includes itself" << 1;
        QTest::newRow("too deep") << "deep0.m3u" << "nested" << 0;
    }
    void playlistIncludingItselfEndsWithError()
    {
        QFETCH(QString, media);
        QFETCH(QString, text);
        QFETCH(int, streams);
        MpvPlayer player;
        QSignalSpy failed(&player, &MediaPlayer::error);
        QSignalSpy started(&player, &MediaPlayer::newStream);
        QVERIFY(player.open(path(media)));
        expectEndsWithError(player, failed, text);
        QCOMPARE(started.count(), streams);
        QVERIFY(!player.play());
    }

    void nestingWithinBoundsPlays()
    {
        MpvPlayer player;
        QSignalSpy failed(&player, &MediaPlayer::error);
        // deep12.m3u holds a media; each deepN.m3u above it adds one playlist level.
        openAndWait(player, path(QString("deep%1.m3u").arg(12 - PlaylistNesting::MaxDepth + 1)));
        QCOMPARE(failed.count(), 0);
    }

    void stopEndsLoadingAndPlayLoadsAgain()
    {
        MpvPlayer player;
        QSignalSpy failed(&player, &MediaPlayer::error);
        QVERIFY(player.open(path("self.m3u")));
        QVERIFY(player.stop());
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QTest::qWait(300);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        const int before = failed.count();
        QVERIFY(player.play());
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), before + 1, Timeout);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
    }
};

QTEST_MAIN(TestMpvPlayer)
#include "tst_mpv_player.moc"
