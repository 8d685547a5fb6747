#include "JukeboxFixture.h"
#include "app/HelpPage.h"
#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "core/Library.h"
#include "core/Playlist.h"
#include "core/SharedTexts.h"
#include "ui/about/AboutWindow.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/playback/PlayerControl.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include "ui/window/ListBox.h"
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    // A few positions that matter, in pixels (15 twips each) of the client area.
    void controlsSitWhereTheyBelong_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("status line") << "statusLine" << QRect(8, 2, 297, 17);
        QTest::newRow("play time") << "playtimeLabel" << QRect(476, -1, 81, 17);
        QTest::newRow("genre filter") << "genreFilter" << QRect(42, 21, 267, 21);
        QTest::newRow("All to Playlist") << "allToPlaylistButton" << QRect(236, 48, 73, 21);
        QTest::newRow("artist list") << "artistList" << QRect(4, 72, 305, 147);
        QTest::newRow("title list") << "titleList" << QRect(4, 248, 305, 147);
        QTest::newRow("player area") << "playerArea" << QRect(316, 20, 473, 348);
        QTest::newRow("position slider") << "positionSlider" << QRect(316, 370, 473, 21);
        QTest::newRow("play button") << "playButton" << QRect(316, 396, 41, 24);
        QTest::newRow("entry counter") << "entryCounter" << QRect(534, 403, 53, 17);
        QTest::newRow("next entry button") << "nextEntryButton" << QRect(620, 396, 41, 24);
        QTest::newRow("volume slider") << "volumeSlider" << QRect(667, 396, 122, 24);
        QTest::newRow("playlist") << "playlist" << QRect(4, 424, 785, 82);
        QTest::newRow("credit line") << "creditLine" << QRect(8, 509, 785, 21);
        QTest::newRow("check panel") << "checkPanel" << QRect(144, 32, 529, 363);
        QTest::newRow("missing files, in the panel") << "missingList" << QRect(16, 24, 497, 225);
    }
    void controlsSitWhereTheyBelong()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        JukeboxFixture f;
        MainWindow& window = f.start().window();
        const auto* control = window.client->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(window.client->size(), QSize(794, 530));
    }

    // The transport buttons stand in one row below the player area and the position slider, left
    // to right in this order, the entry counter between the two steps inside a media and the
    // volume at the right; nothing in the row or above it covers another control.
    void transportRowOverlapsNothing()
    {
        JukeboxFixture f;
        MainWindow& window = f.start().window();
        const QList<QWidget*> row{window.playButton, window.pauseButton, window.stopButton,
                                  window.previousEntryButton, window.previousInMediaButton, window.entryCounter,
                                  window.nextInMediaButton, window.nextEntryButton, window.volumeSlider};
        const QRect player = window.playerArea->geometry();
        const QRect slider = window.positionSlider->geometry();
        QVERIFY(player.bottom() < slider.top());
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QRect control = row[i]->geometry();
            QVERIFY2(control.top() > slider.bottom() && control.bottom() <= 419, qPrintable(row[i]->objectName()));
            QVERIFY2(control.left() >= player.left() && control.right() <= player.right(), qPrintable(row[i]->objectName()));
            if (i > 0)
                QVERIFY2(row[i - 1]->geometry().right() < control.left(), qPrintable(row[i]->objectName()));
        }
        // The check panel, when it shows, ends above the row.
        QVERIFY(window.checkPanel->geometry().bottom() < window.playButton->geometry().top());
    }

    // Each caption stands level with its field; the genre box and the fields start at one edge,
    // right of their captions.
    void captionsLineUpWithTheirFields()
    {
        JukeboxFixture f;
        MainWindow& window = f.start().window();
        const QList<std::pair<QWidget*, QWidget*>> pairs = {{window.genreCaption, window.genreFilter},
                                                           {window.artistCaption, window.artistField},
                                                           {window.titleCaption, window.titleField}};
        for (const auto& [caption, field] : pairs) {
            QCOMPARE(caption->geometry().center().y(), field->geometry().center().y());
            QVERIFY(caption->geometry().right() < field->geometry().left());
            QCOMPARE(field->geometry().left(), window.genreFilter->geometry().left());
        }
    }

    // What shows at start-up, and what a screen reader hears: a label or a captioned button by
    // its text, every other control (lists, fields, glyph buttons, the player) by a name of its
    // own.
    void startUpVisibilityAndAccessibleNames()
    {
        JukeboxFixture f;
        MainWindow& window = f.start().window();
        QStringList hiddenAtStart{"genreField", "playerNotice", "addRecordButton", "removeRecordButton",
                                  "doneEditingButton", "wizardNextButton", "wizardCancelButton",
                                  "checkPanel", "removeAllMissingButton"};
        QStringList hidden;
        const QList<QWidget*> controls = window.client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)
                                         + window.checkPanel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* w : controls) {
            const QString name = w->objectName();
            if (w->isHidden())
                hidden << name;
            const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(accessible, qPrintable(name));
            const QString heard = accessible->text(QAccessible::Name);
            if (auto* label = qobject_cast<QLabel*>(w))
                QCOMPARE(heard, label->text());
            else if (auto* button = qobject_cast<QPushButton*>(w); button && !button->text().isEmpty())
                QCOMPARE(heard, button->text());
            // A combo box is read by its choice; the frame behind the first transport buttons
            // only draws a border.
            else if (!qobject_cast<QComboBox*>(w) && w != window.transportFrame)
                QVERIFY2(!heard.trimmed().isEmpty(), qPrintable(name));
        }
        hidden.sort();
        hiddenAtStart.sort();
        QCOMPARE(hidden, hiddenAtStart);
        QCOMPARE(window.playerArea->accessibleName(), QString("Player"));
        QCOMPARE(window.playlist->accessibleName(), QString("Playlist"));
    }

    void startStateOfTheTransportArea()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& window = j.window();
        for (QPushButton* b : {window.playButton, window.pauseButton, window.previousEntryButton, window.nextEntryButton, window.previousInMediaButton, window.nextInMediaButton})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(window.stopButton->isEnabled());
        QCOMPARE(window.entryCounter->text(), QString("1/1"));
        QCOMPARE(window.playtimeLabel->text(), QString("00:00:00"));
        QCOMPARE(window.playButton->accessibleName(), QString("Play"));
        QCOMPARE(window.nextEntryButton->accessibleName(), QString("Next playlist entry"));
        QCOMPARE(window.missingList->accessibleName(), QString("Missing files"));
        QVERIFY(!window.playButton->icon().isNull());
        QVERIFY(!j.libraryDrag().noDropIcon().isNull() && !j.libraryDrag().dropIcon().isNull());
        QVERIFY(j.libraryDrag().currentIcon().toImage() == j.libraryDrag().noDropIcon().toImage());
    }

    // The video fills the player area, and nothing covers it.
    void videoIsDrawnWhereNothingCoversIt()
    {
        auto* video = new QWidget;
        MainWindow window(video);
        window.playerArea->layout()->activate();
        const QRect area = window.playerArea->geometry();
        const QRect shown(window.playerArea->mapTo(window.client, video->geometry().topLeft()), video->size());
        QCOMPARE(shown, area);
        for (QWidget* over : window.client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (over != window.playerArea && !over->isHidden() && over->geometry().intersects(area))
                QVERIFY2(!over->geometry().intersects(shown), qPrintable(over->objectName()));
        // What shows over the player, when it shows, is a native window raised above the video's.
        for (QWidget* overlay : {static_cast<QWidget*>(window.playerNotice), static_cast<QWidget*>(window.checkPanel)})
            QVERIFY2(overlay->testAttribute(Qt::WA_NativeWindow), qPrintable(overlay->objectName()));
    }

    void menusInOrder()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& window = j.window();
        QStringList menus;
        for (QAction* a : window.menuBar()->actions())
            if (a->isVisible())
                menus << QString(a->text()).remove('&');
        QCOMPARE(menus, (QStringList{"File", "Search", "Database", "Playlist", "Create CD", "Help"}));
        QStringList items;
        for (QAction* a : window.playlistMenu->actions())
            items << QString(a->text()).remove('&');
        QCOMPARE(items, (QStringList{"Drop Box", "Add file(s)...", "Add folder...", "Add url...", "Remove",
                                     "Shuffle playlist", "Clear playlist"}));
        items.clear();
        for (QAction* a : window.databaseMenu->actions())
            items << QString(a->text()).remove('&');
        QCOMPARE(items, (QStringList{"New...", "Edit", "Check", "Import folder..."}));
        QVERIFY(window.dropBoxAction->isCheckable());
        QVERIFY(!window.saveDatabaseAction->isVisible() && !window.saveDatabaseAction->isEnabled());
        QCOMPARE(window.searchAction->shortcut(), QKeySequence(Qt::Key_F3));
        QVERIFY(!window.hiddenMenu->menuAction()->isVisible());
    }

    void startUpCaptionsAndState()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& window = j.window();
        QCOMPARE(window.windowTitle(), QString("Vexolin V1.77"));
        QVERIFY(window.creditLine->text().startsWith("Vexolin V1.77"));
        QVERIFY(window.creditLine->text().contains("1999"));
        QCOMPARE(j.about().line(0)->text(), QString("Vexolin V1.77"));
        QCOMPARE(JukeboxFixture::texts(window.genreFilter), QStringList{"(All genres)"});
        QCOMPARE(window.genreFilter->currentIndex(), 0);
        QCOMPARE(window.genreField->text(), QString("(All genres)"));
        // Labels that the program fills later start empty.
        QVERIFY(window.waitNotice->text().isEmpty());
        QVERIFY(window.missingCount->text().isEmpty());
        QCOMPARE(j.playlist().position(), 0);
        QCOMPARE(j.library().recordCount(), 0);
        QVERIFY(j.library().path().isEmpty());
        QVERIFY(!j.library().isOpen());
        QCOMPARE(j.mode().current(), WindowMode::Normal);
        // Nothing plays: no status ticks come until something changes.
        QVERIFY(!window.statusTimer->isActive());
        QCOMPARE(window.statusTimer->interval(), 100);
    }

    // Start-up asks the player once whether it numbers the entries of a media; only then does
    // the n/m counter follow the player. A player that loads late is asked once it is ready (it
    // cannot tell before).
    void startUpProbesWhetherThePlayerNumbersEntries_data()
    {
        QTest::addColumn<bool>("numbersEntries");
        QTest::addColumn<bool>("readyLate");
        QTest::addColumn<QString>("counter");
        QTest::newRow("numbers entries") << true << false << "2/3";
        QTest::newRow("does not") << false << false << "1/1";
        QTest::newRow("numbers entries, ready after start-up") << true << true << "2/3";
        QTest::newRow("does not, ready after start-up") << false << true << "1/1";
    }
    void startUpProbesWhetherThePlayerNumbersEntries()
    {
        QFETCH(bool, numbersEntries);
        QFETCH(bool, readyLate);
        QFETCH(QString, counter);
        JukeboxFixture f;
        f.player.script.ready = !readyLate;
        f.player.script.hasEntries = numbersEntries && !readyLate;
        Jukebox& j = f.start();
        if (readyLate) {
            f.player.script.hasEntries = numbersEntries;
            f.player.becomeReady();
        }
        // Whatever the player answers later, the answer it gave when asked holds.
        f.player.script.hasEntries = true;
        f.player.script.currentEntry = 2;
        f.player.script.entryCount = 3;
        j.playerControl().updateEntryCounter();
        QCOMPARE(j.window().entryCounter->text(), counter);
    }

    void placement_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("centred") << QSize(1024, 768) << QPoint(312, 234);
        QTest::newRow("600 pixels high: top edge at 0") << QSize(800, 600) << QPoint(200, 0);
        QTest::newRow("601 pixels high: centred") << QSize(800, 601) << QPoint(200, 150);
    }
    void placement()
    {
        QFETCH(QSize, screen);
        QFETCH(QPoint, position);
        QCOMPARE(startupPosition(screen, QSize(400, 300)), position);
    }

    // What the whole command line names: a database, a playlist (or M3U) file, or neither.
    void commandLines_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("names");
        QTest::newRow("database") << "/x/My Music.VxDatabase" << "database";
        QTest::newRow("database, mixed case extension") << "/x/a.vXdAtAbAsE" << "database";
        QTest::newRow("database in quotes") << "\"/x/a.VxDatabase\"" << "neither";
        QTest::newRow("database, trailing blank") << "/x/a.VxDatabase " << "neither";
        QTest::newRow("playlist") << "/x/My List.vxplaylist" << "playlist";
        QTest::newRow("playlist, mixed case") << "/x/a.VxPlayList" << "playlist";
        QTest::newRow("m3u") << "/x/a.m3u" << "playlist";
        QTest::newRow("m3u8 is not read as a playlist") << "/x/a.m3u8" << "neither";
        QTest::newRow("m3u in quotes") << "\"/x/a.m3u\"" << "neither";
        QTest::newRow("a media file") << "/x/a.mp3" << "neither";
        QTest::newRow("nothing") << "" << "neither";
    }
    void commandLines()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, names);
        QCOMPARE(commandLineNamesDatabase(commandLine), names == "database");
        QCOMPARE(commandLineNamesPlaylist(commandLine), names == "playlist");
    }

    void playlistNamedOnTheCommandLineFillsThePlaylist_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("playlist file") << "Party.vxplaylist";
        QTest::newRow("M3U in capitals") << "PARTY.M3U";
    }
    void playlistNamedOnTheCommandLineFillsThePlaylist()
    {
        QFETCH(QString, name);
        JukeboxFixture f;
        const QString path = f.writeFile(name, "/music/one.wav\r\n/music/two.wav\r\n");
        Jukebox& j = f.start(path);
        QCOMPARE(JukeboxFixture::texts(j.window().playlist), (QStringList{"/music/one.wav", "/music/two.wav"}));
        QCOMPARE(j.library().recordCount(), 0);
        // Nothing plays yet; the entry counter knows the entries.
        QCOMPARE(j.playlist().position(), 0);
        QVERIFY(f.player.calls.filter("open").isEmpty());
        QVERIFY(!j.window().nextEntryButton->isEnabled());
    }

    // --help and --version are answered wherever they stand, the first of them deciding; anything
    // else starts the program. The version printed is the one the window shows.
    void helpAndVersionAreAnswered_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answerStart"); // empty: no answer, the program starts
        QTest::newRow("--version") << QStringList{"--version"} << "Vexolin 1.77\n";
        QTest::newRow("--help") << QStringList{"--help"} << "Usage: vexolin [--new-window] [DATABASE | PLAYLIST | FILE...]\n";
        QTest::newRow("-h") << QStringList{"-h"} << "Usage: vexolin";
        QTest::newRow("--help, then --version") << QStringList{"--help", "--version"} << "Usage: vexolin";
        QTest::newRow("--version, then --help") << QStringList{"--version", "--help"} << "Vexolin 1.77\n";
        QTest::newRow("after a file and --new-window") << QStringList{"/x/a.mp3", "--new-window", "-h"} << "Usage: vexolin";
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("a database") << QStringList{"/x/a.VxDatabase"} << "";
        QTest::newRow("--new-window") << QStringList{"--new-window"} << "";
        QTest::newRow("part of a path") << QStringList{"/x/--version"} << "";
    }
    void helpAndVersionAreAnswered()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answerStart);
        const QString answer = printedAnswer(arguments);
        if (answerStart.isEmpty())
            QVERIFY2(answer.isEmpty(), qPrintable(answer));
        else
            QVERIFY2(answer.startsWith(answerStart), qPrintable(answer));
    }
    // The whole command line names a database or a playlist as before; otherwise each argument
    // naming a playlist or a media file that is there is taken, made absolute, in order.
    void commandLineIsRead_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the scratch folder
        QTest::addColumn<bool>("newWindow");
        QTest::addColumn<QStringList>("files");
        const QStringList none;
        QTest::newRow("nothing") << none << false << none;
        QTest::newRow("--new-window alone") << QStringList{"--new-window"} << true << none;
        QTest::newRow("a database, there or not")
            << QStringList{"--new-window", "no/Such.VxDatabase"} << true << QStringList{"no/Such.VxDatabase"};
        QTest::newRow("a database path split at its blank")
            << QStringList{"@/My", "Music.VxDatabase"} << false << QStringList{"@/My Music.VxDatabase"};
        QTest::newRow("a database followed by more is no database")
            << QStringList{"@/a.VxDatabase", "x"} << false << none;
        QTest::newRow("a database among media is left out")
            << QStringList{"@/a.VxDatabase", "@/b.mp3", "@/c.ogg"} << false << QStringList{"@/b.mp3", "@/c.ogg"};
        QTest::newRow("a playlist alone, there or not") << QStringList{"none.m3u"} << false << QStringList{"none.m3u"};
        QTest::newRow("a playlist path split at its blank")
            << QStringList{"@/My", "List.vxplaylist"} << false << QStringList{"@/My List.vxplaylist"};
        QTest::newRow("media and playlists in order, relative made absolute")
            << QStringList{"b.mp3", "@/list.M3U", "@/c.ogg"} << false << QStringList{"@/b.mp3", "@/list.M3U", "@/c.ogg"};
        QTest::newRow("media files that are not there, folders and words are left out")
            << QStringList{"@/missing.mp3", "@", "hello", "@/b.mp3"} << false << QStringList{"@/b.mp3"};
        QTest::newRow("a media file in quotes is not there") << QStringList{"\"@/b.mp3\""} << false << none;
    }
    void commandLineIsRead()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, newWindow);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        for (const QString name : {"a.VxDatabase", "My Music.VxDatabase", "My List.vxplaylist", "list.M3U", "b.mp3",
                                   "c.ogg"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const CommandLine line = readCommandLine(arguments.replaceInStrings("@", dir.path()));
        QDir::setCurrent(previous);
        QCOMPARE(line.newWindow, newWindow);
        QCOMPARE(line.files, files.replaceInStrings("@", dir.path()));
    }

    void versionPrintedIsTheOneTheWindowShows()
    {
        JukeboxFixture f;
        const QString version = printedAnswer({"--version"}).trimmed();
        QCOMPARE(f.start().window().windowTitle(), QString(version).replace("Vexolin ", "Vexolin V"));
    }

    // Help opens "Vexolin.htm" of the current directory; failing that the copy beside the
    // program, then the installed one; failing all, the current directory's name.
    void helpFindsItsPage_data()
    {
        QTest::addColumn<QStringList>("pagesIn"); // of "current", "program", "installed"
        QTest::addColumn<QString>("opened");
        QTest::newRow("current directory first") << QStringList{"current", "program", "installed"} << "Vexolin.htm";
        QTest::newRow("beside the program") << QStringList{"program", "installed"} << "program/Vexolin.htm";
        QTest::newRow("installed copy") << QStringList{"installed"} << "installed/Vexolin.htm";
        QTest::newRow("nowhere") << QStringList{} << "Vexolin.htm";
    }
    void helpFindsItsPage()
    {
        QFETCH(QStringList, pagesIn);
        QFETCH(QString, opened);
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const QString folder : {"current", "program", "installed"}) {
            QVERIFY(root.mkpath(folder));
            QFile page(root.filePath(folder + "/Vexolin.htm"));
            QVERIFY(!pagesIn.contains(folder) || page.open(QIODevice::WriteOnly));
        }
        JukeboxFixture f({root.filePath("program"), root.filePath("installed")});
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.filePath("current")));
        f.start().window().helpAction->trigger();
        QDir::setCurrent(previous);
        QCOMPARE(f.shell.opened, QStringList{opened == "Vexolin.htm" ? opened : root.filePath(opened)});
    }
    // An installation puts the program in bin/ and the page in share/vexolin/ beside it.
    void helpLooksBesideTheProgramThenInItsInstallation()
    {
        QCOMPARE(helpFolders("/opt/vexolin/bin"), (QStringList{"/opt/vexolin/bin", "/opt/vexolin/share/vexolin"}));
    }

    void aboutShowsOverThePlayerAndHidesOnClick()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        MainWindow& window = j.window();
        AboutWindow& about = j.about();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.aboutAction->trigger();
        QVERIFY(about.isVisible());
        const QRect main = window.frameGeometry();
        const QRect player = window.playerArea->geometry();
        QCOMPARE(about.x(), main.left() + player.left() + player.width() / 2 - about.width() / 2);
        QCOMPARE(about.y(), main.top() + player.top() * 4);
        QTest::mouseClick(about.line(2), Qt::LeftButton);
        QVERIFY(about.isHidden());
        QCOMPARE(about.line(0)->text(), QString("Vexolin V1.77"));
    }

    void exitClosesAndFlushesTheDatabase()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("a.VxDatabase", {{"A", "T", "G", "/f.mp3"}});
        Jukebox& j = f.start(db);
        MainWindow& window = j.window();
        QVERIFY(j.library().isOpen());
        window.show();
        window.exitAction->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(!j.library().isOpen());
    }

    // Closing the window while records are edited runs Done once, before the database closes:
    // a removal waiting for the rewrite reaches the file.
    void closingWhileEditingFinishesTheEditFirst()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("a.VxDatabase", {{"A", "T", "G", "/a"}, {"B", "U", "G", "/b"}});
        Jukebox& j = f.start(db);
        MainWindow& window = j.window();
        window.editDatabaseAction->trigger();
        QVERIFY(j.mode().isEditing());
        j.browser().selectArtistRow(1); // B
        window.removeRecordButton->click();
        QCOMPARE(j.library().recordCount(), 1);
        QVERIFY(j.library().needsRewrite());

        QSignalSpy modeChanges(&j.mode(), &WindowMode::changed);
        window.close();
        QCOMPARE(modeChanges.count(), 1);
        QCOMPARE(modeChanges[0][0].value<WindowMode::Mode>(), WindowMode::Normal);
        QVERIFY(!j.mode().isEditing());
        QCOMPARE(JukeboxFixture::texts(window.genreFilter), (QStringList{"(All genres)", "G"}));
        QVERIFY(!window.isVisible());
        QVERIFY(!j.library().isOpen());
        QCOMPARE(fileBytes(db), QByteArray("A\r\nT\r\nG\r\n/a\r\n"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
