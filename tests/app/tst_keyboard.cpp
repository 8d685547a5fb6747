// Everything by the keyboard: mnemonics and shortcuts of the menus, F10, Delete on the playlist,
// the transport's keys and focus, and the window modes' focus and Escape.
#include "JukeboxFixture.h"
#include "core/Playlist.h"
#include "core/PlaylistEntry.h"
#include "ui/playback/PlayerControl.h"
#include "ui/search/SearchDialog.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

namespace {

const QList<QStringList> Records = {
    {"Alpha", "One", "Rock", "/m/1.mp3"},
    {"Beta", "Two", "Rock", "/m/2.mp3"},
};

// The letter after a single '&', upper-cased; none without one.
QChar mnemonic(const QString& caption)
{
    const qsizetype at = caption.indexOf(QChar('&'));
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toUpper() : QChar();
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

    void showActive()
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void setPlaylist(const QStringList& texts)
    {
        QCOMPARE(j->playlist().append(entriesOfTexts(texts)), texts.size());
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->startWithRecords(Records);
        w = &j->window();
        w->statusTimer->stop();
    }
    void cleanup() { f.reset(); }

    // Every visible menu and item has a mnemonic of its own within its menu; the captions keep
    // their texts.
    void everyMenuAndItemHasAMnemonic()
    {
        QList<QMenu*> menus;
        QSet<QChar> titles;
        for (QAction* a : w->menuBar()->actions()) {
            if (!a->isVisible())
                continue;
            QVERIFY2(!mnemonic(a->text()).isNull(), qPrintable(a->text()));
            QVERIFY2(!titles.contains(mnemonic(a->text())), qPrintable(a->text()));
            titles.insert(mnemonic(a->text()));
            menus << a->menu();
        }
        QCOMPARE(menus.size(), 6);
        QStringList items;
        for (QMenu* menu : menus) {
            QSet<QChar> letters;
            for (QAction* item : menu->actions()) {
                if (!item->isVisible())
                    continue;
                const QChar letter = mnemonic(item->text());
                QVERIFY2(!letter.isNull() && !letters.contains(letter), qPrintable(item->text()));
                letters.insert(letter);
                items << QString(item->text()).remove('&');
            }
        }
        QCOMPARE(items, (QStringList{"Open Database...", "Open Playlist...", "Save Playlist...", "Exit", "Search...",
                                     "New...", "Edit", "Check", "Import folder...", "Drop Box", "Add file(s)...",
                                     "Add folder...", "Add url...", "Remove",
                                     "Shuffle playlist", "Clear playlist", "Create", "Help", "About Vexolin"}));
    }

    // The usual shortcuts are shown in the menus and work while their item is enabled.
    void shortcutsWorkWhereTheirItemIsEnabled_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("dialogTitle"); // the file dialog it shows
        QTest::newRow("Ctrl+O") << QKeySequence("Ctrl+O") << "openDatabaseAction" << "Open Database";
        QTest::newRow("Ctrl+Shift+O") << QKeySequence("Ctrl+Shift+O") << "openPlaylistAction" << "Open Playlist";
        QTest::newRow("Ctrl+S") << QKeySequence("Ctrl+S") << "savePlaylistAction" << "Save Playlist";
    }
    void shortcutsWorkWhereTheirItemIsEnabled()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, item);
        QFETCH(QString, dialogTitle);
        auto* action = w->findChild<QAction*>(item);
        QCOMPARE(action->shortcut(), key);
        showActive();
        QTest::keySequence(w, key);
        QCOMPARE(f->fileDialog.uses.size(), 1);
        QCOMPARE(f->fileDialog.uses[0].title, dialogTitle);
        // The record editor disables these items, and their keys with them.
        w->editDatabaseAction->trigger();
        QTest::keySequence(w, key);
        QCOMPARE(f->fileDialog.uses.size(), 1);
    }

    void otherShortcuts()
    {
        QCOMPARE(w->exitAction->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(w->removeAction->shortcut(), QKeySequence(Qt::Key_Delete));
        showActive();
        QTest::keyClick(w, Qt::Key_F3);
        QVERIFY(j->search().isVisible());
        j->search().hide();
        QTRY_VERIFY(QApplication::activeWindow() == w);
        // F10 opens the first menu.
        QTest::keyClick(w, Qt::Key_F10);
        QTRY_VERIFY(w->fileMenu->isVisible());
        w->fileMenu->hide();
    }

    // Delete removes the selected playlist entry where the playlist has the focus; in a field it
    // deletes a character, and on the library lists it removes nothing.
    void deleteRemovesThePlaylistEntry()
    {
        setPlaylist({"/a.wav", "/b.wav"});
        showActive();
        w->playlist->setCurrentRow(1);
        for (QWidget* elsewhere : {static_cast<QWidget*>(w->artistField), static_cast<QWidget*>(w->artistList)}) {
            elsewhere->setFocus();
            QTest::keyClick(elsewhere, Qt::Key_Delete);
            QCOMPARE(j->playlist().count(), 2);
        }
        w->playlist->setFocus();
        QTest::keyClick(w->playlist, Qt::Key_Delete);
        QCOMPARE(JukeboxFixture::texts(w->playlist), QStringList{"/a.wav"});
    }

    // A transport button that turns itself off hands the focus to the one that undoes it.
    void focusMovesToTheButtonThatUndoes_data()
    {
        QTest::addColumn<int>("stateAfter");
        QTest::addColumn<QString>("focusedBefore");
        QTest::addColumn<QString>("focusedAfter");
        QTest::newRow("Pause -> Play") << int(MediaPlayer::Paused) << "pauseButton" << "playButton";
        QTest::newRow("Play -> Pause") << int(MediaPlayer::Playing) << "playButton" << "pauseButton";
        QTest::newRow("Pause, stopped -> Play") << int(MediaPlayer::Stopped) << "pauseButton" << "playButton";
    }
    void focusMovesToTheButtonThatUndoes()
    {
        QFETCH(int, stateAfter);
        QFETCH(QString, focusedBefore);
        QFETCH(QString, focusedAfter);
        setPlaylist({"/a.wav"});
        showActive();
        j->playerControl().playEntry(1);
        f->player.script.state = stateAfter == MediaPlayer::Playing ? MediaPlayer::Paused : MediaPlayer::Playing;
        j->updateStatus();
        auto* before = w->findChild<QPushButton*>(focusedBefore);
        QVERIFY(before->isEnabled());
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Space);
        f->player.script.state = stateAfter; // as the click made it
        j->updateStatus();
        QCOMPARE(QApplication::focusWidget(), w->findChild<QPushButton*>(focusedAfter));
        // Space once more undoes the click.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f->player.calls.last(), stateAfter == MediaPlayer::Playing ? QString("pause") : QString("play"));
    }

    // Ctrl+Space plays or pauses from anywhere in the window but a text field.
    void ctrlSpacePlaysOrPauses()
    {
        setPlaylist({"/a.wav"});
        showActive();
        j->playerControl().playEntry(1);
        j->updateStatus(); // playing: Pause is available
        w->playlist->setFocus();
        QTest::keyClick(w->playlist, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f->player.calls.last(), QString("pause"));
        j->updateStatus();
        w->stopButton->setFocus();
        QTest::keyClick(w->stopButton, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f->player.calls.last(), QString("play"));
        j->updateStatus();
        const int calls = f->player.calls.size();
        w->titleField->setFocus();
        QTest::keyClick(w->titleField, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(f->player.calls.size(), calls);
        // (A media key has no text: QTest::keyClick() would ask for one.)
        QTest::sendKeyEvent(QTest::Click, w->titleField, Qt::Key_MediaTogglePlayPause, QString(), Qt::NoModifier);
        QCOMPARE(f->player.calls.size(), calls); // nor the media key, inside the field
        w->stopButton->setFocus();
        QTest::sendKeyEvent(QTest::Click, w->stopButton, Qt::Key_MediaTogglePlayPause, QString(), Qt::NoModifier);
        QCOMPARE(f->player.calls.last(), QString("pause"));
    }

    // Opening a mode puts the focus on its first control; Escape leaves the check as Done does and
    // the wizard as Cancel does, and the focus goes back.
    void modesTakeTheFocusAndEscapeLeavesThem_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("escapeLeaves");
        QTest::newRow("check, something missing") << "checkDatabaseAction" << "missingList" << true;
        QTest::newRow("CD wizard") << "createCdAction" << "wizardNextButton" << true;
        QTest::newRow("record editor") << "editDatabaseAction" << "genreField" << false;
    }
    void modesTakeTheFocusAndEscapeLeavesThem()
    {
        QFETCH(QString, item);
        QFETCH(QString, first);
        QFETCH(bool, escapeLeaves);
        showActive();
        w->artistList->setFocus();
        w->findChild<QAction*>(item)->trigger();
        QCOMPARE(QApplication::focusWidget(), w->client->findChild<QWidget*>(first));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(j->mode().current() == WindowMode::Normal, escapeLeaves);
        if (escapeLeaves)
            QCOMPARE(QApplication::focusWidget(), w->artistList);
    }

    // A check that finds nothing leaves only Done to press.
    void emptyCheckFocusesDone()
    {
        JukeboxFixture empty;
        MainWindow& window = empty.start().window();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.checkDatabaseAction->trigger();
        QCOMPARE(QApplication::focusWidget(), window.checkDoneButton);
        // Done carries the check's text in the list's place.
        QCOMPARE(window.checkDoneButton->accessibleDescription(), window.checkCaption->text());
        QVERIFY(window.missingList->accessibleDescription().isEmpty());
        QTest::keyClick(window.checkDoneButton, Qt::Key_Escape);
        QVERIFY(window.checkPanel->isHidden());
        QVERIFY(window.checkDoneButton->accessibleDescription() != window.checkCaption->text());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
