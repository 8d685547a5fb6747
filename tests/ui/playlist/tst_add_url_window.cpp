#include "JukeboxFixture.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playlist/AddUrlWindow.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include <QPushButton>
#include <QTest>

class TestAddUrlWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->start();
        w = &f->window();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        f->player.script.entryOption = false; // tells whether the entry counter ran since
    }
    void cleanup() { f.reset(); }

    void opensOverThePlayerWithoutBlocking()
    {
        QVERIFY(!j->playlistEditor().addUrlWindow()); // made on first use
        w->move(100, 50);
        const QRect main = w->frameGeometry();
        w->addUrlAction->trigger();
        AddUrlWindow* window = j->playlistEditor().addUrlWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Add url"));
        QCOMPARE(window->size(), QSize(264, 64));
        // Player: left 316, top 20, width 473 pixels inside the window; the URL window is 264
        // wide: left = 316 + 236 - 132; top = 2.3 * 20 + 1000 twips (66.7 pixels).
        QCOMPARE(window->pos(), QPoint(main.left() + 420, main.top() + 113));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w->isEnabled());
    }

    void addsItsTextEachTimeAndKeepsIt()
    {
        w->addUrlAction->trigger();
        AddUrlWindow* window = j->playlistEditor().addUrlWindow();
        QVERIFY(window);
        shownPlaylist(w->playlist).append({entryOfText("first")});
        w->playlist->setCurrentRow(0); // plays entry 1
        QCOMPARE(j->playlist().position(), 1);
        f->player.script.entryOption = false;
        window->addButton->click(); // empty text: an empty entry
        window->urlField->setText("  http://radio.example/live ");
        window->addButton->click();
        window->addButton->click();
        QCOMPARE(JukeboxFixture::texts(w->playlist),
                 (QStringList{"first", "", "  http://radio.example/live ", "  http://radio.example/live "}));
        QCOMPARE(j->playlist().position(), 1);
        QVERIFY(!f->player.script.entryOption);

        window->doneButton->click();
        QVERIFY(window->isHidden());
        w->addUrlAction->trigger();
        QCOMPARE(j->playlistEditor().addUrlWindow(), window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->urlField->text(), QStringLiteral("  http://radio.example/live "));
    }
};

QTEST_MAIN(TestAddUrlWindow)
#include "tst_add_url_window.moc"
