#include "JukeboxFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

// The lists keep "current" and "selected" together, so no handler acts on an entry the user
// did not choose.
class TestListBox : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;

    void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        form = &f->start(f->writeDatabase("Music.VxDatabase", {{"Abba", "Waterloo", "Pop", "/m/w.mp3"},
                                                                {"Blur", "Song 2", "Rock", "/m/s.mp3"}}));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() { f.reset(); }

    void ctrlClickKeepsTheSelection()
    {
        clickRow(form->artistList, 1);
        QCOMPARE(form->artistField->text(), QString("Blur"));
        clickRow(form->artistList, 1, Qt::ControlModifier);
        QVERIFY(form->artistList->item(1)->isSelected());
        QCOMPARE(form->artistList->currentRow(), 1);
    }

    void focusDoesNotChooseAnEntry()
    {
        QVERIFY(form->artistList->currentRow() < 0);
        form->artistList->setFocus(Qt::TabFocusReason);
        QVERIFY(form->artistList->hasFocus());
        QCOMPARE(form->artistList->currentRow(), -1);
        QVERIFY(form->artistField->text().isEmpty());
        // The keyboard still chooses: the first arrow key selects the first artist.
        QTest::keyClick(form->artistList, Qt::Key_Down);
        QCOMPARE(form->artistList->currentRow(), 0);
        QCOMPARE(form->artistField->text(), QString("Abba"));
    }

    void removeTakesOnlyASelectedEntry()
    {
        form->playlist->addItems({"/m/a.mp3", "/m/b.mp3"});
        form->playlist->setCurrentRow(1);
        form->playlist->clearSelection(); // current, but no longer selected
        form->removeAction->trigger();
        QCOMPARE(form->playlist->count(), 2);
        form->playlist->setCurrentRow(1);
        form->removeAction->trigger();
        QCOMPARE(JukeboxFixture::texts(form->playlist), QStringList{"/m/a.mp3"});
    }
};

QTEST_MAIN(TestListBox)
#include "tst_list_box.moc"
