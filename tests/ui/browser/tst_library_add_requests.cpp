// Adding an artist or a title without a drag: Enter, a double-click, or the context menu's "Add
// to Playlist" on its row add what dropping that row on the playlist adds, in every mode.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/Playlist.h"
#include "core/PlaylistEntry.h"
#include "ui/browser/LibraryAddRequests.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/check/DatabaseCheck.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDrag>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

const QList<QStringList> Records = {
    {"Alpha", "One", "Rock", "/m/1.mp3"},
    {"Beta", "Two", "Rock", "/m/2.mp3"},
    {"Alpha", "Three", "Jazz", "/m/3.mp3"},
};

enum class Way { Enter, KeypadEnter, DoubleClick, ContextKey, RightClick };

} // namespace

Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(WindowMode::Mode)

class TestLibraryAddRequests : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    int drags = 0;

    void enter(WindowMode::Mode mode)
    {
        switch (mode) {
        case WindowMode::Editing: w->editDatabaseAction->trigger(); break;
        case WindowMode::Checking: w->checkDatabaseAction->trigger(); break;
        case WindowMode::CdWizard: w->createCdAction->trigger(); break;
        case WindowMode::Normal: break;
        }
        QCOMPARE(j->mode().current(), mode);
    }
    // Chooses the row of the first "Alpha" entry: an artist row, or a title row of that artist.
    int chooseAlpha(ListBox* list)
    {
        w->artistList->setCurrentRow(0);
        if (list == w->artistList)
            return 0;
        list->setCurrentRow(0);
        return 0;
    }
    // As the desktop delivers one: press, release, press, the double-click, release.
    static void doubleClick(ListBox* list, QPoint at)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }
    void ask(Way way, ListBox* list, int row)
    {
        const QPoint at = list->rowRect(row).center();
        switch (way) {
        case Way::Enter: QTest::keyClick(list, Qt::Key_Return); break;
        case Way::KeypadEnter: QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier); break;
        case Way::DoubleClick: doubleClick(list, at); break;
        case Way::ContextKey:
        case Way::RightClick: {
            if (way == Way::RightClick)
                QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
            QContextMenuEvent event(way == Way::RightClick ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard,
                                    at, list->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(way == Way::RightClick ? static_cast<QWidget*>(list->viewport()) : list, &event);
            QMenu* menu = j->libraryAddRequests().contextMenu();
            QVERIFY(menu->isVisible());
            QCOMPARE(menu->actions().size(), 1);
            QCOMPARE(menu->actions()[0]->text(), QString("&Add to Playlist"));
            menu->actions()[0]->trigger();
            menu->hide();
            break;
        }
        }
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        f->dragLoop = [this](QDrag* drag) {
            ++drags; // a press starts a drag that ends without a drop
            drag->deleteLater();
        };
        j = &f->startWithRecords(Records);
        w = &j->window();
        w->statusTimer->stop();
        drags = 0;
    }
    void cleanup() { f.reset(); }

    // way x list x mode -> the entries a drop of the row adds, once.
    void addsWhatADropAdds_data()
    {
        QTest::addColumn<Way>("way");
        QTest::addColumn<bool>("titles");
        QTest::addColumn<WindowMode::Mode>("mode");
        QTest::addColumn<QStringList>("added");
        const QStringList artist = {"/m/1.mp3", "/m/3.mp3"}; // every record of the artist
        const QStringList title = {"/m/1.mp3"};
        const std::pair<const char*, Way> ways[] = {{"Enter", Way::Enter}, {"keypad Enter", Way::KeypadEnter},
                                                    {"double-click", Way::DoubleClick}, {"context key", Way::ContextKey},
                                                    {"right click", Way::RightClick}};
        const std::pair<const char*, WindowMode::Mode> modes[] = {{"browsing", WindowMode::Normal},
                                                                  {"editing", WindowMode::Editing},
                                                                  {"checking", WindowMode::Checking},
                                                                  {"CD wizard", WindowMode::CdWizard}};
        for (const auto& [wayName, way] : ways)
            for (const auto& [modeName, mode] : modes)
                for (bool titles : {false, true})
                    QTest::addRow("%s, %s, %s", wayName, titles ? "title" : "artist", modeName)
                        << way << titles << mode << (titles ? title : artist);
    }
    void addsWhatADropAdds()
    {
        QFETCH(Way, way);
        QFETCH(bool, titles);
        QFETCH(WindowMode::Mode, mode);
        QFETCH(QStringList, added);
        enter(mode);
        ListBox* list = titles ? w->titleList : w->artistList;
        const int row = chooseAlpha(list);
        Playlist& playlist = j->playlist();
        const int before = playlist.count();

        ask(way, list, row);

        QStringList files;
        for (int i = before; i < playlist.count(); ++i)
            files << fileOfEntry(playlist.entry(i), j->library().table());
        QCOMPARE(files, added);
        // A drop of the same row adds the same entries.
        j->playlistEditor().dropOntoPlaylist(titles ? LibraryDragSource::Titles : LibraryDragSource::Artists);
        QCOMPARE(playlist.count(), before + 2 * int(added.size()));
        for (int i = 0; i < added.size(); ++i)
            QCOMPARE(playlist.entry(before + i).text, playlist.entry(before + int(added.size()) + i).text);
        // Each press of a double-click starts a drag (that ends without a drop); the right button none.
        QCOMPARE(drags, way == Way::DoubleClick ? 2 : 0);
    }

    // With no row chosen there is nothing to add; the context menu says so. A double-click below
    // the rows adds nothing either, whatever is chosen.
    void nothingChosenAddsNothing()
    {
        w->titleList->setCurrentRow(0);
        doubleClick(w->titleList, QPoint(10, w->titleList->viewport()->height() - 3));
        QCOMPARE(j->playlist().count(), 0);
        w->artistList->setCurrentRow(-1);
        QTest::keyClick(w->artistList, Qt::Key_Return);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), w->artistList->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(w->artistList, &event);
        QVERIFY(!j->libraryAddRequests().contextMenu()->actions()[0]->isEnabled());
        j->libraryAddRequests().contextMenu()->hide();
        QCOMPARE(j->playlist().count(), 0);
    }

    // Enter in the artist field still moves on to the title field; it adds nothing.
    void enterInAFieldKeepsItsMeaning()
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->artistList->setCurrentRow(0);
        w->artistField->setFocus();
        QTest::keyClick(w->artistField, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->titleField);
        QCOMPARE(j->playlist().count(), 0);
    }
};

QTEST_MAIN(TestLibraryAddRequests)
#include "tst_library_add_requests.moc"
