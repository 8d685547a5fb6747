#include "JukeboxFixture.h"
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
        JukeboxFixture f;
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
        JukeboxFixture f;
        Form1& form = f.start();
        for (QPushButton* b : {form.playButton, form.pauseButton, form.previousEntryButton, form.nextEntryButton, form.previousInMediaButton, form.nextInMediaButton})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(form.stopButton->isEnabled());
        QCOMPARE(form.entryCounter->text(), QString("1/1"));
        QCOMPARE(form.playtimeLabel->text(), QString("00:00:00"));
        QCOMPARE(form.playButton->accessibleName(), QString("Play"));
        QCOMPARE(form.nextEntryButton->accessibleName(), QString("Next playlist entry"));
        QCOMPARE(form.missingList->accessibleName(), QString("Missing files"));
        QVERIFY(!form.playButton->icon().isNull());
        QVERIFY(!form.Image1.isNull() && !form.Image2.isNull());
        QVERIFY(form.currentDragIcon().toImage() == form.Image1.toImage());
    }

    void menusInOrder()
    {
        JukeboxFixture f;
        Form1& form = f.start();
        QStringList menus;
        for (QAction* a : form.menuBar()->actions())
            if (a->isVisible())
                menus << a->text();
        QCOMPARE(menus, (QStringList{"File", "Search", "Database", "Playlist", "Create CD", "Help"}));
        QStringList items;
        for (QAction* a : form.playlistMenu->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"Drop Box", "Add file(s)", "Add url", "Remove", "Shuffle playlist", "Clear playlist"}));
        QVERIFY(form.dropBoxAction->isCheckable());
        QVERIFY(!form.saveDatabaseAction->isVisible() && !form.saveDatabaseAction->isEnabled());
        QCOMPARE(form.searchAction->shortcut(), QKeySequence(Qt::Key_F3));
        QVERIFY(!form.hiddenMenu->menuAction()->isVisible());
    }

    void captionsAndVariables()
    {
        JukeboxFixture f;
        Form1& form = f.start();
        QCOMPARE(form.windowTitle(), QString("Vexolin V1.77"));
        QVERIFY(form.creditLine->text().startsWith("Vexolin V1.77"));
        QVERIFY(form.creditLine->text().contains("1999"));
        QCOMPARE(form.Form2->statusLine[0]->text(), QString("Vexolin V1.77"));
        QCOMPARE(JukeboxFixture::texts(form.genreFilter), QStringList{"(All genres)"});
        QCOMPARE(form.genreFilter->currentIndex(), 0);
        QCOMPARE(form.genreField->text(), QString("(All genres)"));
        QCOMPARE(form.PlaylistPosition, 0);
        QCOMPARE(form.library.recordCount(), 0);
        QVERIFY(form.PlayerHasEntries);
        QVERIFY(form.database.path().isEmpty());
        QVERIFY(form.statusTimer->isActive());
        QCOMPARE(form.statusTimer->interval(), 100);
    }

    void playerProbe()
    {
        JukeboxFixture f;
        f.player.script.hasEntries = false;
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
        JukeboxFixture f;
        Form1& form = f.start();
        form.helpAction->trigger();
        QCOMPARE(f.shell.opened, QStringList{"Vexolin.htm"});
    }

    void aboutShowsOverThePlayerAndHidesOnClick()
    {
        JukeboxFixture f;
        Form1& form = f.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.aboutAction->trigger();
        QVERIFY(form.Form2->isVisible());
        const QRect main = form.frameGeometry();
        const QRect player = form.playerArea->geometry();
        QCOMPARE(form.Form2->x(), main.left() + player.left() + player.width() / 2 - form.Form2->width() / 2);
        QCOMPARE(form.Form2->y(), main.top() + player.top() * 4);
        QTest::mouseClick(form.Form2->statusLine[2], Qt::LeftButton);
        QVERIFY(form.Form2->isHidden());
        QCOMPARE(form.Form2->statusLine[0]->text(), QString("Vexolin V1.77"));
    }

    void exitClosesAndFlushesTheDatabase()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("a.VxDatabase", {{"A", "T", "G", "/f.mp3"}});
        Form1& form = f.start(db);
        QVERIFY(form.database.isOpen());
        form.show();
        form.exitAction->trigger();
        QVERIFY(!form.isVisible());
        QVERIFY(!form.database.isOpen());
    }

    void closingInEditModeCompletesTheEditFirst()
    {
        JukeboxFixture f;
        Form1& form = f.start();
        form.show();
        form.doneEditingButton->show();
        int doneClicks = 0;
        connect(form.doneEditingButton, &QPushButton::clicked, this, [&] { ++doneClicks; });
        form.close();
        QCOMPARE(doneClicks, 1);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
