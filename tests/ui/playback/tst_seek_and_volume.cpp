// The position slider and the volume slider against the fake player.
#include "JukeboxFixture.h"
#include "core/Playlist.h"
#include "core/PlaylistEntry.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playback/SeekAndVolume.h"
#include "ui/window/MainWindow.h"

#include <QAccessible>
#include <QSlider>
#include <QTest>
#include <QTimer>

class TestSeekAndVolume : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

    // A 200-second media playing at 83.4 seconds.
    void playMedia()
    {
        QCOMPARE(j->playlist().append(entriesOfTexts({"/media/song.wav"})), 1);
        j->playerControl().playEntry(1);
        f->player.script.duration = 200;
        f->player.script.position = 83.4;
        f->player.emitSeekable(true);
        f->player.calls.clear();
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->start();
        f->player.emitSeekable(false); // nothing open yet
        w = &j->window();
        w->statusTimer->stop();
    }
    void cleanup() { f.reset(); }

    void namedForScreenReaders()
    {
        for (const auto& [slider, name] : {std::pair<QSlider*, QString>{w->positionSlider, "Position"},
                                           {w->volumeSlider, "Volume"}}) {
            QCOMPARE(QAccessible::queryAccessibleInterface(slider)->text(QAccessible::Name), name);
            QCOMPARE(slider->focusPolicy(), Qt::StrongFocus);
        }
    }

    // The sliders start from what the player says: no seeking before a media opens, its volume.
    void startFromThePlayersState()
    {
        MainWindow window;
        FakePlayer player;
        player.script.seekable = false;
        player.script.volume = 80;
        SeekAndVolume sliders(window, player);
        QVERIFY(!window.positionSlider->isEnabled());
        QCOMPARE(window.volumeSlider->value(), 80);
        QVERIFY(player.calls.isEmpty());
    }

    // The slider is disabled while the media cannot seek, and follows the player when it can.
    void followsWhetherTheMediaCanSeek()
    {
        QVERIFY(!w->positionSlider->isEnabled());
        playMedia();
        QVERIFY(w->positionSlider->isEnabled());
        QCOMPARE(w->positionSlider->maximum(), 200);
        QCOMPARE(w->positionSlider->value(), 83);
        f->player.emitSeekable(false); // a live stream, say
        QVERIFY(!w->positionSlider->isEnabled());
    }

    // The status tick moves it with the play time; a jump and a stop move it at once.
    void followsThePlayTime()
    {
        playMedia();
        f->player.script.position = 120.9;
        j->updateStatus();
        QCOMPARE(w->positionSlider->value(), 120);
        f->player.setCurrentPosition(30); // a jump made elsewhere (the desktop's media widgets)
        QCOMPARE(w->positionSlider->value(), 30);
        j->playerControl().stop();
        QCOMPARE(w->positionSlider->value(), 0);
        // Following the player is no seek.
        QCOMPARE(f->player.calls, (QStringList{"setCurrentPosition 30", "setCurrentPosition 0", "stop"}));
    }

    // The arrow keys step 5 seconds, Page Up 30; each key seeks once.
    void keysSeek_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("seek");
        QTest::newRow("right") << int(Qt::Key_Right) << "setCurrentPosition 88";
        QTest::newRow("left") << int(Qt::Key_Left) << "setCurrentPosition 78";
        QTest::newRow("page up") << int(Qt::Key_PageUp) << "setCurrentPosition 113";
        QTest::newRow("home") << int(Qt::Key_Home) << "setCurrentPosition 0";
    }
    void keysSeek()
    {
        QFETCH(int, key);
        QFETCH(QString, seek);
        playMedia();
        QTest::keyClick(w->positionSlider, Qt::Key(key));
        QCOMPARE(f->player.calls, QStringList{seek});
        QCOMPARE(w->positionSlider->value(), seek.section(' ', 1).toInt());
    }

    // While the user holds the slider the play time does not move it; letting go seeks there.
    void dragSeeksWhereLetGo()
    {
        playMedia();
        QSlider* slider = w->positionSlider;
        slider->setSliderDown(true);
        slider->setSliderPosition(150);
        f->player.script.position = 90;
        j->updateStatus();
        QCOMPARE(slider->sliderPosition(), 150);
        QVERIFY(f->player.calls.isEmpty());
        slider->setSliderDown(false);
        QCOMPARE(f->player.calls, QStringList{"setCurrentPosition 150"});
        QCOMPARE(slider->value(), 150);
    }

    // The volume slider sets the player's volume and follows it when it changes elsewhere,
    // without answering it.
    void volume()
    {
        QSlider* slider = w->volumeSlider;
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 100);
        QCOMPARE(slider->value(), 100);
        QTest::keyClick(slider, Qt::Key_Left);
        QCOMPARE(f->player.calls, QStringList{"setVolume 95"});
        QCOMPARE(f->player.volume(), 95);
        QTest::keyClick(slider, Qt::Key_End);
        QCOMPARE(f->player.volume(), 100);
        f->player.calls.clear();
        f->player.setVolume(40); // the desktop's volume
        QCOMPARE(slider->value(), 40);
        QCOMPARE(f->player.calls, QStringList{"setVolume 40"});
    }

    // A jump or a volume the player refuses leaves each slider showing what the player has.
    void refusedChangesLeaveTheSliders()
    {
        playMedia();
        f->player.script.failCalls = true;
        QTest::keyClick(w->positionSlider, Qt::Key_Right);
        QCOMPARE(f->player.calls, QStringList{"setCurrentPosition 88"});
        QCOMPARE(w->positionSlider->value(), 83);
        QTest::keyClick(w->volumeSlider, Qt::Key_Left);
        QCOMPARE(w->volumeSlider->value(), 100);
    }
};

QTEST_MAIN(TestSeekAndVolume)
#include "tst_seek_and_volume.moc"
