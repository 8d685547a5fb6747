// The entry fields: type-ahead in the artist and title fields, Enter moving through the fields,
// and the capital first letter when a field loses the focus.
#include "JukeboxFixture.h"
#include "core/LibraryTable.h"
#include "core/RecordCode.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include "ui/window/ListBox.h"
#include <QPushButton>
#include <QTest>

namespace {

const QList<QStringList> Records = {
    {"Adler", "Pebble", "Rock", "/m/1.wav"},
    {"ADAMS", "Heavy Square", "Rock", "/m/2.wav"},
    {"Bruno", "Stone Cold", "Pop", "/m/3.wav"},
    {"ADAMS", "Pebble Beach", "Pop", "/m/4.wav"},
    {"ADAMS", "Stone", "Pop", "/m/5.wav"},
};

QString selected(const ListBox* list)
{
    const int row = list->currentRow();
    return row >= 0 ? trimBlanks(visibleTextOfCodedEntry(list->text(row))).toString() : QString();
}

} // namespace

class TestEntryFields : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->start(f->writeDatabase("Music.VxDatabase", Records));
        w = &j->window();
        QCOMPARE(JukeboxFixture::texts(w->artistList).size(), 3);
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
        // Each step's scan direction depends on the text the step before left in the field.
        for (int i = 0; i < typed.size(); ++i) {
            w->artistField->setText(typed[i]);
            QCOMPARE(::selected(w->artistList), selected[i]);
            QCOMPARE(w->artistField->text(), typed[i]); // kept as typed
        }
        // Only the typing kept the field: a click on an artist writes it into the field.
        j->browser().selectArtistRow(2);
        QCOMPARE(w->artistField->text(), QString("Bruno"));
    }

    void titlesAreListedOnceTheWholeArtistIsTyped()
    {
        w->artistField->setText("ad");
        QCOMPARE(::selected(w->artistList), QString("ADAMS"));
        QCOMPARE(w->titleList->count(), 0);
        w->artistField->setText("adams");
        QCOMPARE(w->titleList->count(), 3);
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
        w->editDatabaseAction->trigger();
        w->artistList->setCurrentRow(0); // ADAMS: Heavy Square, Pebble Beach, Stone
        QCOMPARE(w->titleList->count(), 3);
        for (int i = 0; i < typed.size(); ++i) {
            w->titleField->setText(typed[i]);
            QCOMPARE(::selected(w->titleList), selected[i]);
            QCOMPARE(w->titleField->text(), typed[i]);
            // The selection skipped the edit-mode handling of a title click.
            QCOMPARE(::selected(w->artistList), QString("ADAMS"));
        }
        // Only the typing kept the field and the artist: a click on a title writes it into the
        // field and, while records are edited, leaves no artist chosen.
        j->browser().selectTitleRow(0);
        QCOMPARE(w->titleField->text(), QString("Heavy Square"));
        QCOMPARE(w->artistList->currentRow(), -1);
    }

    void enterMovesThroughTheFields_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::newRow("editing records") << true;
        QTest::newRow("browsing") << false;
    }
    void enterMovesThroughTheFields()
    {
        QFETCH(bool, editing);
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (editing) {
            w->editDatabaseAction->trigger();
            w->genreField->setText("Pop");
            w->artistField->setText("Someone");
            w->titleField->setText("Something");
            j->updateStatus();
            w->genreField->setFocus();
            QTest::keyClick(w->genreField, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), w->artistField);
        } else {
            w->artistField->setFocus();
        }
        QTest::keyClick(w->artistField, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w->titleField);
        QTest::keyClick(w->titleField, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), editing ? static_cast<QWidget*>(w->addRecordButton) : w->titleField);
        // Other keys are the field's own.
        w->artistField->setFocus();
        QTest::keyClick(w->artistField, Qt::Key_X);
        QVERIFY(w->artistField->text().endsWith('x'));
        QCOMPARE(QApplication::focusWidget(), w->artistField);
    }

    void leavingAFieldCapitalisesIt_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("artist") << "artistField" << "adams" << "Adams";
        QTest::newRow("title, accented") << "titleField" << "élan vital" << "Élan vital";
        QTest::newRow("genre") << "genreField" << "rock" << "Rock";
        QTest::newRow("blanks only") << "artistField" << "   " << "   ";
        QTest::newRow("empty") << "titleField" << "" << "";
        QTest::newRow("already a capital") << "genreField" << "POP music" << "POP music";
    }
    void leavingAFieldCapitalisesIt()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, after);
        auto* edit = w->findChild<QLineEdit*>(field);
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
        for (QLineEdit* field : {w->artistField, w->titleField, w->genreField}) {
            field->setText("adams");
            QFocusEvent out(QEvent::FocusOut, reason);
            QApplication::sendEvent(field, &out);
            QCOMPARE(field->text(), after);
        }
    }
};

QTEST_MAIN(TestEntryFields)
#include "tst_entry_fields.moc"
