#include "JukeboxFixture.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

// The lists keep "current" and "selected" together, so the program never acts on an entry the user
// did not choose.
class TestListBox : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    MainWindow* w = nullptr;

    void clickRow(ListBox* list, int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint centre = list->rowRect(row).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        f->start(f->writeDatabase("Music.VxDatabase", {{"Abba", "Waterloo", "Pop", "/m/w.mp3"},
                                                        {"Blur", "Song 2", "Rock", "/m/s.mp3"}}));
        w = &f->window();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() { f.reset(); }

    void ctrlClickKeepsTheSelection()
    {
        clickRow(w->artistList, 1);
        QCOMPARE(w->artistField->text(), QString("Blur"));
        clickRow(w->artistList, 1, Qt::ControlModifier);
        QCOMPARE(selectedRow(w->artistList), 1);
        QCOMPARE(w->artistList->currentRow(), 1);
    }

    void focusDoesNotChooseAnEntry()
    {
        QVERIFY(w->artistList->currentRow() < 0);
        w->artistList->setFocus(Qt::TabFocusReason);
        QVERIFY(w->artistList->hasFocus());
        QCOMPARE(w->artistList->currentRow(), -1);
        QVERIFY(w->artistField->text().isEmpty());
        // The keyboard still chooses: the first arrow key selects the first artist.
        QTest::keyClick(w->artistList, Qt::Key_Down);
        QCOMPARE(w->artistList->currentRow(), 0);
        QCOMPARE(w->artistField->text(), QString("Abba"));
    }

    void removeTakesOnlyASelectedEntry()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"/m/a.mp3", "/m/b.mp3"}));
        w->playlist->setCurrentRow(1);
        w->playlist->clearSelection(); // current, but no longer selected
        w->removeAction->trigger();
        QCOMPARE(w->playlist->count(), 2);
        w->playlist->setCurrentRow(1);
        w->removeAction->trigger();
        QCOMPARE(JukeboxFixture::texts(w->playlist), QStringList{"/m/a.mp3"});
    }
};

QTEST_MAIN(TestListBox)
#include "tst_list_box.moc"
