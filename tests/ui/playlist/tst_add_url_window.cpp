#include "JukeboxFixture.h"
#include "playlist/AddUrlWindow.h"
#include "playlist/PlaylistEditing.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestAddUrlWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        form = &f->start();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        f->player.script.entryOption = false; // tells whether CheckTeller ran since
    }
    void cleanup() { f.reset(); }

    void opensOverThePlayerWithoutBlocking()
    {
        QVERIFY(!form->editing->Form4); // made on first use
        form->move(100, 50);
        const QRect main = form->frameGeometry();
        form->addUrlAction->trigger();
        AddUrlWindow* window = form->editing->Form4;
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Form4"));
        QCOMPARE(window->size(), QSize(264, 64));
        // Player: left 316, top 20, width 473 pixels inside the window; the URL window is 264
        // wide: left = 316 + 236 - 132; top = 2.3 * 20 + 1000 twips (66.7 pixels).
        QCOMPARE(window->pos(), QPoint(main.left() + 420, main.top() + 113));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(form->isEnabled());
    }

    void addsItsTextEachTimeAndKeepsIt()
    {
        form->addUrlAction->trigger();
        AddUrlWindow* window = form->editing->Form4;
        form->playlist->addItem("first");
        form->PlaylistPosition = 1;
        window->pauseButton->click(); // empty text: an empty entry
        window->artistField->setText("  http://radio.example/live ");
        window->pauseButton->click();
        window->pauseButton->click();
        QCOMPARE(JukeboxFixture::texts(form->playlist),
                 (QStringList{"first", "", "  http://radio.example/live ", "  http://radio.example/live "}));
        QCOMPARE(form->PlaylistPosition, 1);
        QVERIFY(!f->player.script.entryOption);

        window->playButton->click();
        QVERIFY(window->isHidden());
        form->addUrlAction->trigger();
        QCOMPARE(form->editing->Form4, window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->artistField->text(), QStringLiteral("  http://radio.example/live "));
    }
};

QTEST_MAIN(TestAddUrlWindow)
#include "tst_add_url_window.moc"
