#include "Form1Fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

// The lists keep "current" and "selected" together, so no handler acts on an entry the user
// did not choose.
class TestListBox : public QObject
{
    Q_OBJECT

    std::unique_ptr<Form1Fixture> f;
    Form1* form = nullptr;

    void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, centre);
    }

private slots:
    void init()
    {
        f = std::make_unique<Form1Fixture>();
        form = &f->start(f->writeDatabase("Music.VxDatabase", {{"Abba", "Waterloo", "Pop", "/m/w.mp3"},
                                                                {"Blur", "Song 2", "Rock", "/m/s.mp3"}}));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() { f.reset(); }

    void ctrlClickKeepsTheSelection()
    {
        clickRow(form->List1, 1);
        QCOMPARE(form->Text1->text(), QString("Blur"));
        clickRow(form->List1, 1, Qt::ControlModifier);
        QVERIFY(form->List1->item(1)->isSelected());
        QCOMPARE(form->List1->currentRow(), 1);
    }

    void focusDoesNotChooseAnEntry()
    {
        QVERIFY(form->List1->currentRow() < 0);
        form->List1->setFocus(Qt::TabFocusReason);
        QVERIFY(form->List1->hasFocus());
        QCOMPARE(form->List1->currentRow(), -1);
        QVERIFY(form->Text1->text().isEmpty());
        // The keyboard still chooses: the first arrow key selects the first artist.
        QTest::keyClick(form->List1, Qt::Key_Down);
        QCOMPARE(form->List1->currentRow(), 0);
        QCOMPARE(form->Text1->text(), QString("Abba"));
    }

    void removeTakesOnlyASelectedEntry()
    {
        form->List3->addItems({"/m/a.mp3", "/m/b.mp3"});
        form->List3->setCurrentRow(1);
        form->List3->clearSelection(); // current, but no longer selected
        form->Remove->trigger();
        QCOMPARE(form->List3->count(), 2);
        form->List3->setCurrentRow(1);
        form->Remove->trigger();
        QCOMPARE(Form1Fixture::texts(form->List3), QStringList{"/m/a.mp3"});
    }
};

QTEST_MAIN(TestListBox)
#include "tst_listbox.moc"
