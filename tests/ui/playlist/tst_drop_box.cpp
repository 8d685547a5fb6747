#include "DropEvents.h"
#include "JukeboxFixture.h"
#include "ui/playlist/DropBox.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QLabel>
#include "ui/window/ListBox.h"
#include <QScreen>
#include <QTest>

class TestDropBox : public QObject
{
    Q_OBJECT
private slots:
    void menuShowsAndHidesOnTop();
    void keepsItsPlaceWhenShownAgain();
    void doubleClickHides_data();
    void doubleClickHides();
    void closingFromTitleBarUnchecks();
    void dropsFillTheMainPlaylistWhileItIsMinimised_data();
    void dropsFillTheMainPlaylistWhileItIsMinimised();
};

void TestDropBox::menuShowsAndHidesOnTop()
{
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    QVERIFY(!j.dropBox().boxWindow()); // absent until first shown

    w.dropBoxAction->trigger();
    DropBoxWindow* box = j.dropBox().boxWindow();
    QVERIFY(box);
    QVERIFY(!box->isHidden());
    QVERIFY(w.dropBoxAction->isChecked());
    QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(box->windowTitle(), QString("Drop Box"));
    QCOMPARE(box->pos(), w.screen()->geometry().topLeft() + QPoint(20, 20)); // 300 twips
    QCOMPARE(box->picture->pixmap().toImage(), QPixmap(":/vexolin.xpm").toImage());

    w.dropBoxAction->trigger();
    QVERIFY(box->isHidden());
    QVERIFY(!w.dropBoxAction->isChecked());
    QVERIFY(!box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(j.dropBox().boxWindow(), box); // kept, only hidden
}

void TestDropBox::keepsItsPlaceWhenShownAgain()
{
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    w.dropBoxAction->trigger();
    DropBoxWindow* box = j.dropBox().boxWindow();
    QVERIFY(box);
    box->move(210, 140);
    w.dropBoxAction->trigger();
    w.dropBoxAction->trigger();
    QVERIFY(!box->isHidden());
    QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(box->pos(), QPoint(210, 140));
}

void TestDropBox::doubleClickHides_data()
{
    QTest::addColumn<bool>("onPicture");
    QTest::newRow("window") << false;
    QTest::newRow("picture") << true;
}

void TestDropBox::closingFromTitleBarUnchecks()
{
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    w.dropBoxAction->trigger();
    DropBoxWindow* box = j.dropBox().boxWindow();
    QVERIFY(box);
    box->close();
    QVERIFY(box->isHidden());
    QVERIFY(!w.dropBoxAction->isChecked());
    QCOMPARE(j.dropBox().boxWindow(), box);
    w.dropBoxAction->trigger();
    QVERIFY(!box->isHidden());
}

void TestDropBox::doubleClickHides()
{
    QFETCH(bool, onPicture);
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    w.dropBoxAction->trigger();
    DropBoxWindow* box = j.dropBox().boxWindow();
    QVERIFY(box);
    QWidget* target = onPicture ? static_cast<QWidget*>(box->picture) : box;
    QTest::mouseDClick(target, Qt::LeftButton, {}, onPicture ? QPoint(5, 5) : QPoint(2, 2));
    QVERIFY(box->isHidden());
    QVERIFY(!w.dropBoxAction->isChecked());

    w.dropBoxAction->trigger(); // the menu shows it again
    QVERIFY(!box->isHidden());
    QVERIFY(w.dropBoxAction->isChecked());
}

void TestDropBox::dropsFillTheMainPlaylistWhileItIsMinimised_data()
{
    doubleClickHides_data();
}

void TestDropBox::dropsFillTheMainPlaylistWhileItIsMinimised()
{
    QFETCH(bool, onPicture);
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    w.showMinimized();
    w.dropBoxAction->trigger();
    DropBoxWindow* box = j.dropBox().boxWindow();
    QVERIFY(box);
    QMimeData mime;
    setFiles(mime, {"/music/one.mp3", "/music/two.mp3"});
    const DropAnswer answer =
        deliverDrop(onPicture ? static_cast<QWidget*>(box->picture) : box, mime, FileManagerActions);
    QVERIFY(answer.dropAccepted);
    QCOMPARE(JukeboxFixture::texts(w.playlist), (QStringList{"/music/one.mp3", "/music/two.mp3"}));
    QVERIFY(!box->isHidden());
}

QTEST_MAIN(TestDropBox)
#include "tst_drop_box.moc"
