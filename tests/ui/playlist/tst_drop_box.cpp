#include "DropEvents.h"
#include "JukeboxFixture.h"
#include "playlist/DropBox.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QtTest>

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
    Form1& form = fx.start();
    QVERIFY(!form.dropBox->Form5); // absent until first shown

    form.dropBoxAction->trigger();
    DropBoxWindow* box = form.dropBox->Form5.get();
    QVERIFY(box);
    QVERIFY(!box->isHidden());
    QVERIFY(form.dropBoxAction->isChecked());
    QVERIFY(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(box->windowTitle(), QString("Drop Box"));
    QCOMPARE(box->pos(), form.screen()->geometry().topLeft() + QPoint(20, 20)); // 300 twips
    QCOMPARE(box->checkPanel->pixmap().toImage(), QPixmap(":/vexolin.xpm").toImage());

    form.dropBoxAction->trigger();
    QVERIFY(box->isHidden());
    QVERIFY(!form.dropBoxAction->isChecked());
    QVERIFY(!box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(form.dropBox->Form5.get(), box); // kept, only hidden
}

void TestDropBox::keepsItsPlaceWhenShownAgain()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.dropBoxAction->trigger();
    DropBoxWindow* box = form.dropBox->Form5.get();
    box->move(210, 140);
    form.dropBoxAction->trigger();
    form.dropBoxAction->trigger();
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
    Form1& form = fx.start();
    form.dropBoxAction->trigger();
    DropBoxWindow* box = form.dropBox->Form5.get();
    box->close();
    QVERIFY(box->isHidden());
    QVERIFY(!form.dropBoxAction->isChecked());
    QCOMPARE(form.dropBox->Form5.get(), box);
    form.dropBoxAction->trigger();
    QVERIFY(!box->isHidden());
}

void TestDropBox::doubleClickHides()
{
    QFETCH(bool, onPicture);
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.dropBoxAction->trigger();
    DropBoxWindow* box = form.dropBox->Form5.get();
    QWidget* target = onPicture ? static_cast<QWidget*>(box->checkPanel) : box;
    QTest::mouseDClick(target, Qt::LeftButton, {}, onPicture ? QPoint(5, 5) : QPoint(2, 2));
    QVERIFY(box->isHidden());
    QVERIFY(!form.dropBoxAction->isChecked());

    form.dropBoxAction->trigger(); // the menu shows it again
    QVERIFY(!box->isHidden());
    QVERIFY(form.dropBoxAction->isChecked());
}

void TestDropBox::dropsFillTheMainPlaylistWhileItIsMinimised_data()
{
    doubleClickHides_data();
}

void TestDropBox::dropsFillTheMainPlaylistWhileItIsMinimised()
{
    QFETCH(bool, onPicture);
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.showMinimized();
    form.dropBoxAction->trigger();
    DropBoxWindow* box = form.dropBox->Form5.get();
    QMimeData mime;
    setFiles(mime, {"/music/one.mp3", "/music/two.mp3"});
    const DropAnswer answer =
        deliverDrop(onPicture ? static_cast<QWidget*>(box->checkPanel) : box, mime, FileManagerActions);
    QVERIFY(answer.dropAccepted);
    QCOMPARE(JukeboxFixture::texts(form.playlist), (QStringList{"/music/one.mp3", "/music/two.mp3"}));
    QVERIFY(!box->isHidden());
}

QTEST_MAIN(TestDropBox)
#include "tst_drop_box.moc"
