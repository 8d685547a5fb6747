// The player that loads the libmpv one from its module after the window shows: what it keeps
// until then, the order in which it hands it over, and a module that cannot be loaded. This test
// links no libmpv: the player comes from the module alone.
#include "player/LatePlayer.h"

#include "WavWriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Generous: the build machine is slow and loaded; these only bound a wait, they time nothing.
constexpr int Timeout = 20000;
// Draws nothing and makes no sound: MpvPlayer::Headless.
constexpr int Headless = 0;

QString module()
{
    return QStringLiteral(VEXOLIN_PLAYER_MODULE);
}
} // namespace

class TestLatePlayer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString tone() const { return m_dir.filePath("tone.wav"); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeToneWav(tone(), 3.0));
    }

    // Until the module is in, the player answers as one with nothing loaded; it reads the module
    // only when asked to (or when a media is opened).
    void answersAsAnEmptyPlayerUntilLoaded()
    {
        LatePlayer player(module(), Headless);
        QVERIFY(!player.isReady());
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QCOMPARE(player.currentPosition(), -1.0);
        QCOMPARE(player.fileName(), QString());
        QVERIFY(!player.currentEntry());
        QVERIFY(!player.play());
        QTest::qWait(200);
        QVERIFY(!player.isReady());

        QSignalSpy ready(&player, &MediaPlayer::ready);
        player.load();
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, Timeout);
        QVERIFY(player.isReady());
        // The probe's question is answered by the real player now.
        QVERIFY(player.currentEntry().has_value());
    }

    // A media opened (and paused, moved, the volume set) before the module is in plays once it
    // is, as asked; ready() comes first, while the real player holds nothing yet, so a question
    // asked then is answered about the player itself.
    void handsOverWhatWasAskedMeanwhile_data()
    {
        QTest::addColumn<bool>("pause");
        QTest::addColumn<bool>("stop");
        QTest::newRow("opened") << false << false;
        QTest::newRow("opened and paused") << true << false;
        QTest::newRow("opened and stopped") << false << true;
    }
    void handsOverWhatWasAskedMeanwhile()
    {
        QFETCH(bool, pause);
        QFETCH(bool, stop);
        LatePlayer player(module(), Headless);
        QString fileNameWhenReady = QStringLiteral("<not ready>");
        connect(&player, &MediaPlayer::ready, this, [&] { fileNameWhenReady = player.fileName(); });
        QSignalSpy states(&player, &MediaPlayer::stateChanged);
        QSignalSpy started(&player, &MediaPlayer::newStream);

        QVERIFY(player.open(tone() + QStringLiteral("   ")));
        QCOMPARE(player.fileName(), tone());
        QCOMPARE(player.state(), int(MediaPlayer::Playing));
        QCOMPARE(states.count(), 1);
        QCOMPARE(player.currentPosition(), 0.0);
        QVERIFY(player.setCurrentPosition(1.0));
        QVERIFY(player.setVolume(40));
        if (pause)
            QVERIFY(player.pause());
        if (stop)
            QVERIFY(player.stop());
        const int keptState = player.state();
        QCOMPARE(keptState, int(stop ? MediaPlayer::Stopped : pause ? MediaPlayer::Paused : MediaPlayer::Playing));

        QTRY_VERIFY_WITH_TIMEOUT(player.isReady(), Timeout);
        QCOMPARE(fileNameWhenReady, QString());
        QCOMPARE(player.fileName(), tone());
        QCOMPARE(player.volume(), 40);
        if (stop) {
            QTest::qWait(500);
            QCOMPARE(player.state(), int(MediaPlayer::Stopped));
            QVERIFY(player.play());
            QTRY_VERIFY_WITH_TIMEOUT(started.count() >= 1, Timeout);
            QTRY_COMPARE_WITH_TIMEOUT(player.state(), int(MediaPlayer::Playing), Timeout);
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(started.count() >= 1, Timeout);
        // Where it was moved to, give or take a sample.
        QTRY_VERIFY2_WITH_TIMEOUT(player.currentPosition() >= 0.99, qPrintable(QString::number(player.currentPosition())),
                                  Timeout);
        QCOMPARE(player.state(), keptState);
        // The state is announced as it changes, not once per hand-over step.
        for (const QList<QVariant>& change : states)
            QVERIFY(change.at(0) != change.at(1));
    }

    // A module that is not there leaves a player that opens nothing and says why.
    void missingModule()
    {
        LatePlayer player(m_dir.filePath("no-such-module.so"), Headless);
        QSignalSpy ready(&player, &MediaPlayer::ready);
        QSignalSpy failed(&player, &MediaPlayer::error);
        QVERIFY(player.open(tone()));
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, Timeout);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, Timeout);
        QVERIFY2(player.errorDescription().startsWith("Cannot start the media player: "),
                 qPrintable(player.errorDescription()));
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
        QVERIFY(!player.currentEntry());
        QVERIFY(!player.open(tone()));
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, Timeout);
        QCOMPARE(player.state(), int(MediaPlayer::Stopped));
    }
};

QTEST_MAIN(TestLatePlayer)
#include "tst_late_player.moc"
