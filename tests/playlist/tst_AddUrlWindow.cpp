#include "Form1Fixture.h"
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

    std::unique_ptr<Form1Fixture> f;
    Form1* form = nullptr;

private slots:
    void init()
    {
        f = std::make_unique<Form1Fixture>();
        form = &f->start();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        f->player.entryOption = false; // tells whether CheckTeller ran since
    }
    void cleanup() { f.reset(); }

    void opensOverThePlayerWithoutBlocking()
    {
        QVERIFY(!form->editing->Form4); // made on first use
        form->move(100, 50);
        const QRect main = form->frameGeometry();
        form->PlaylistAddUrl->trigger();
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
        form->PlaylistAddUrl->trigger();
        AddUrlWindow* window = form->editing->Form4;
        form->List3->addItem("first");
        form->PlaylistPosition = 1;
        window->Command2->click(); // empty text: an empty entry
        window->Text1->setText("  http://radio.example/live ");
        window->Command2->click();
        window->Command2->click();
        QCOMPARE(Form1Fixture::texts(form->List3),
                 (QStringList{"first", "", "  http://radio.example/live ", "  http://radio.example/live "}));
        QCOMPARE(form->PlaylistPosition, 1);
        QVERIFY(!f->player.entryOption);

        window->Command1->click();
        QVERIFY(window->isHidden());
        form->PlaylistAddUrl->trigger();
        QCOMPARE(form->editing->Form4, window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Text1->text(), QStringLiteral("  http://radio.example/live "));
    }
};

QTEST_MAIN(TestAddUrlWindow)
#include "tst_AddUrlWindow.moc"
