#include "Form1Fixture.h"
#include "app/AboutWindow.h"
#include "app/ControlInventory.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void everyControlIsInPlace()
    {
        Form1Fixture f;
        Form1& form = f.start();
        for (const ControlSpec& control : mainWindowControls()) {
            auto* w = form.findChild<QWidget*>(QString::fromLatin1(control.name));
            QVERIFY2(w, control.name);
            QCOMPARE(w->geometry(), QRect(twips(control.left), twips(control.top), twips(control.width), twips(control.height)));
            QCOMPARE(!w->isHidden(), control.visible);
            QCOMPARE(w->isEnabled(), control.enabled);
            QVERIFY2(!w->accessibleName().isEmpty() || control.caption.isEmpty(), control.name);
        }
        QCOMPARE(form.client->size(), QSize(794, 530));
    }

    void startStateOfTheTransportArea()
    {
        Form1Fixture f;
        Form1& form = f.start();
        for (QPushButton* b : {form.Command1, form.Command2, form.Command4, form.Command5, form.Command7, form.Command8})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(form.Command3->isEnabled());
        QCOMPARE(form.Label9->text(), QString("1/1"));
        QCOMPARE(form.Label5->text(), QString("00:00:00"));
        QCOMPARE(form.Command1->accessibleName(), QString("Play"));
        QCOMPARE(form.Command5->accessibleName(), QString("Next playlist entry"));
        QCOMPARE(form.List5->accessibleName(), QString("Missing files"));
        QVERIFY(!form.Command1->icon().isNull());
        QVERIFY(!form.Image1.isNull() && !form.Image2.isNull());
        QVERIFY(form.currentDragIcon().toImage() == form.Image1.toImage());
    }

    void menusInOrder()
    {
        Form1Fixture f;
        Form1& form = f.start();
        QStringList menus;
        for (QAction* a : form.menuBar()->actions())
            if (a->isVisible())
                menus << a->text();
        QCOMPARE(menus, (QStringList{"File", "Search", "Database", "Playlist", "Create CD", "Help"}));
        QStringList items;
        for (QAction* a : form.Playlist->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"Drop Box", "Add file(s)", "Add url", "Remove", "Shuffle playlist", "Clear playlist"}));
        QVERIFY(form.DropBox->isCheckable());
        QVERIFY(!form.SaveDatabase->isVisible() && !form.SaveDatabase->isEnabled());
        QCOMPARE(form.Search->shortcut(), QKeySequence(Qt::Key_F3));
        QVERIFY(!form.Secret1->menuAction()->isVisible());
    }

    void captionsAndVariables()
    {
        Form1Fixture f;
        Form1& form = f.start();
        QCOMPARE(form.windowTitle(), QString("Vexolin V1.77"));
        QVERIFY(form.Label3->text().startsWith("Vexolin V1.77"));
        QVERIFY(form.Label3->text().contains("1999"));
        QCOMPARE(form.Form2->Label10[0]->text(), QString("Vexolin V1.77"));
        QCOMPARE(Form1Fixture::texts(form.Combo1), QStringList{"(All genres)"});
        QCOMPARE(form.Combo1->currentIndex(), 0);
        QCOMPARE(form.Text4->text(), QString("(All genres)"));
        QCOMPARE(form.PlaylistPosition, 0);
        QCOMPARE(form.library.RecordCount(), 0);
        QVERIFY(form.PlayerHasEntries);
        QVERIFY(form.database.path().isEmpty());
        QVERIFY(form.Timer1->isActive());
        QCOMPARE(form.Timer1->interval(), 100);
    }

    void playerProbe()
    {
        Form1Fixture f;
        f.player.hasEntries = false;
        Form1& form = f.start();
        QVERIFY(!form.PlayerHasEntries);
    }

    void placement_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("centred") << QSize(1024, 768) << QPoint(312, 234);
        QTest::newRow("600 pixels high: top edge at 0") << QSize(800, 600) << QPoint(200, 0);
        QTest::newRow("601 pixels high: centred") << QSize(800, 601) << QPoint(200, 150);
    }
    void placement()
    {
        QFETCH(QSize, screen);
        QFETCH(QPoint, position);
        QCOMPARE(startupPosition(screen, QSize(400, 300)), position);
    }

    void commandLines_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("names");
        QTest::newRow("plain path") << "/x/My Music.VxDatabase" << true;
        QTest::newRow("mixed case extension") << "/x/a.vXdAtAbAsE" << true;
        QTest::newRow("in quotes") << "\"/x/a.VxDatabase\"" << false;
        QTest::newRow("trailing blank") << "/x/a.VxDatabase " << false;
        QTest::newRow("a playlist") << "/x/a.vxplaylist" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void commandLines()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, names);
        QCOMPARE(commandLineNamesDatabase(commandLine), names);
    }

    void helpOpensThePageOfTheCurrentDirectory()
    {
        Form1Fixture f;
        Form1& form = f.start();
        form.HelpHelp->trigger();
        QCOMPARE(f.shell.opened, QStringList{"Vexolin.htm"});
    }

    void aboutShowsOverThePlayerAndHidesOnClick()
    {
        Form1Fixture f;
        Form1& form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.AboutHelp->trigger();
        QVERIFY(form.Form2->isVisible());
        const QRect main = form.frameGeometry();
        const QRect player = form.MediaPlayer1->geometry();
        QCOMPARE(form.Form2->x(), main.left() + player.left() + player.width() / 2 - form.Form2->width() / 2);
        QCOMPARE(form.Form2->y(), main.top() + player.top() * 4);
        QTest::mouseClick(form.Form2->Label10[2], Qt::LeftButton);
        QVERIFY(form.Form2->isHidden());
        QCOMPARE(form.Form2->Label10[0]->text(), QString("Vexolin V1.77"));
    }

    void exitClosesAndFlushesTheDatabase()
    {
        Form1Fixture f;
        const QString db = f.writeDatabase("a.VxDatabase", {{"A", "T", "G", "/f.mp3"}});
        Form1& form = f.start(db);
        QVERIFY(form.database.isOpen());
        form.show();
        form.Exit->trigger();
        QVERIFY(!form.isVisible());
        QVERIFY(!form.database.isOpen());
    }

    void closingInEditModeCompletesTheEditFirst()
    {
        Form1Fixture f;
        Form1& form = f.start();
        form.show();
        form.Command9->show();
        int doneClicks = 0;
        connect(form.Command9, &QPushButton::clicked, this, [&] { ++doneClicks; });
        form.close();
        QCOMPARE(doneClicks, 1);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
