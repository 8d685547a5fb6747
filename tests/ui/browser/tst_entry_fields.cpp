// The entry fields: type-ahead in the artist and title fields, Enter moving through the fields,
// and the capital first letter when a field loses the focus.
#include "JukeboxFixture.h"
#include "editor/EntryFields.h"
#include "core/RecordCode.h"
#include "playback/StatusTimer.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

const QList<QStringList> Records = {
    {"Adler", "Pebble", "Rock", "/m/1.wav"},
    {"ADAMS", "Heavy Square", "Rock", "/m/2.wav"},
    {"Bruno", "Stone Cold", "Pop", "/m/3.wav"},
    {"ADAMS", "Pebble Beach", "Pop", "/m/4.wav"},
    {"ADAMS", "Stone", "Pop", "/m/5.wav"},
};

QString selected(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item ? trimBlanks(visibleTextOfCodedEntry(item->text())).toString() : QString();
}

} // namespace

class TestEntryFields : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        form = &f->start(f->writeDatabase("Music.VxDatabase", Records));
        QCOMPARE(JukeboxFixture::texts(form->artistList).size(), 3);
    }
    void cleanup() { f.reset(); }

    void artistTypeAhead_data()
    {
        QTest::addColumn<QStringList>("typed");    // the field's text after each change
        QTest::addColumn<QStringList>("selected"); // the artist selected after it; empty: none
        QTest::newRow("walks forward and back")
            << QStringList{"a", "ad", "adl", "ad"} << QStringList{"ADAMS", "ADAMS", "Adler", "ADAMS"};
        QTest::newRow("no entry starts with the text") << QStringList{"b", "bx"} << QStringList{"Bruno", "Bruno"};
        QTest::newRow("a longer text scans down from the selection")
            << QStringList{"b", "ad"} << QStringList{"Bruno", "Bruno"};
        QTest::newRow("a shorter text scans from the top to the selection")
            << QStringList{"adl", "b"} << QStringList{"Adler", "Adler"};
        QTest::newRow("emptied with a selection") << QStringList{"b", ""} << QStringList{"Bruno", "ADAMS"};
        QTest::newRow("emptied with none") << QStringList{"x", ""} << QStringList{"", ""};
    }
    void artistTypeAhead()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, selected);
        for (int i = 0; i < typed.size(); ++i) {
            form->artistField->setText(typed[i]);
            QCOMPARE(::selected(form->artistList), selected[i]);
            QCOMPARE(form->artistField->text(), typed[i]); // kept as typed
            QVERIFY(!form->ArtistSetByTyping);
            QCOMPARE(form->fields->LastArtistText, typed[i]);
        }
    }

    void titlesAreListedOnceTheWholeArtistIsTyped()
    {
        form->artistField->setText("ad");
        QCOMPARE(::selected(form->artistList), QString("ADAMS"));
        QCOMPARE(form->titleList->count(), 0);
        form->artistField->setText("adams");
        QCOMPARE(form->titleList->count(), 3);
    }

    void titleTypeAheadLeavesTheArtistSelected_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("whole title, then past it")
            << QStringList{"p", "pebble", "pebble b", "pebble x"} << QStringList{"Pebble Beach", "Pebble Beach", "Pebble Beach", "Pebble Beach"};
        QTest::newRow("a title that is another's prefix")
            << QStringList{"s", "stone", "stone "} << QStringList{"Stone", "Stone", "Stone"};
    }
    void titleTypeAheadLeavesTheArtistSelected()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, selected);
        form->editDatabaseAction->trigger();
        form->artistList->setCurrentRow(0); // ADAMS: Heavy Square, Pebble Beach, Stone
        QCOMPARE(form->titleList->count(), 3);
        for (int i = 0; i < typed.size(); ++i) {
            form->titleField->setText(typed[i]);
            QCOMPARE(::selected(form->titleList), selected[i]);
            QCOMPARE(form->titleField->text(), typed[i]);
            // The selection skipped the edit-mode handling of a title click.
            QCOMPARE(::selected(form->artistList), QString("ADAMS"));
            QVERIFY(!form->TitleSetByTyping && !form->TitleSetByProgram);
        }
    }

    void enterMovesThroughTheFields_data()
    {
        QTest::addColumn<bool>("editMode");
        QTest::newRow("edit mode") << true;
        QTest::newRow("browsing") << false;
    }
    void enterMovesThroughTheFields()
    {
        QFETCH(bool, editMode);
        form->show();
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        if (editMode) {
            form->editDatabaseAction->trigger();
            form->genreField->setText("Pop");
            form->artistField->setText("Someone");
            form->titleField->setText("Something");
            form->statusTimer->Timer1_Timer();
            form->genreField->setFocus();
            QTest::keyClick(form->genreField, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form->artistField);
        } else {
            form->artistField->setFocus();
        }
        QTest::keyClick(form->artistField, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), form->titleField);
        QTest::keyClick(form->titleField, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), editMode ? static_cast<QWidget*>(form->addRecordButton) : form->titleField);
        // Other keys are the field's own.
        form->artistField->setFocus();
        QTest::keyClick(form->artistField, Qt::Key_X);
        QVERIFY(form->artistField->text().endsWith('x'));
        QCOMPARE(QApplication::focusWidget(), form->artistField);
    }

    void leavingAFieldCapitalisesIt_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("artist") << "Text1" << "adams" << "Adams";
        QTest::newRow("title, accented") << "Text2" << "élan vital" << "Élan vital";
        QTest::newRow("genre") << "Text4" << "rock" << "Rock";
        QTest::newRow("blanks only") << "Text1" << "   " << "   ";
        QTest::newRow("empty") << "Text2" << "" << "";
        QTest::newRow("already a capital") << "Text4" << "POP music" << "POP music";
    }
    void leavingAFieldCapitalisesIt()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, after);
        auto* edit = form->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
        QCOMPARE(edit->text(), after);
    }

    void onlyMovingTheFocusWithinTheWindowCapitalises_data()
    {
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<QString>("after");
        QTest::newRow("Tab") << Qt::TabFocusReason << "Adams";
        QTest::newRow("Backtab") << Qt::BacktabFocusReason << "Adams";
        QTest::newRow("mouse") << Qt::MouseFocusReason << "Adams";
        QTest::newRow("other") << Qt::OtherFocusReason << "Adams";
        QTest::newRow("another window active") << Qt::ActiveWindowFocusReason << "adams";
        QTest::newRow("menu or popup") << Qt::PopupFocusReason << "adams";
    }
    void onlyMovingTheFocusWithinTheWindowCapitalises()
    {
        QFETCH(Qt::FocusReason, reason);
        QFETCH(QString, after);
        for (QLineEdit* field : {form->artistField, form->titleField, form->genreField}) {
            field->setText("adams");
            QFocusEvent out(QEvent::FocusOut, reason);
            QApplication::sendEvent(field, &out);
            QCOMPARE(field->text(), after);
        }
    }
};

QTEST_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
