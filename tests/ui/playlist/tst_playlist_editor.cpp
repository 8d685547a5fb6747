#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"
#include "core/RecordCode.h"
#include "core/TextLines.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playlist/ExternalDrops.h"
#include "ui/playlist/PlaylistEditor.h"
#include "DropEvents.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/playlist/AddUrlWindow.h"
#include "ui/seams/QtSeams.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

namespace {

int rowNamed(const ListBox* list, const QString& trimmedText)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->text(i).trimmed() == trimmedText)
            return i;
    return -1;
}

// Stands for a second drop handler on the playlist: takes file drags, records what reaches it.
class DropRecorder : public QObject
{
public:
    QList<QEvent::Type> seen;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
            return false;
        seen.append(event->type());
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        drop->acceptProposedAction();
        return true;
    }
};

} // namespace

class TestPlaylistEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString smallFile, halfFile;

    QStringList playlist() const { return JukeboxFixture::texts(w->playlist); }
    QStringList entriesOf(const QList<int>& records) const
    {
        QStringList out;
        for (int r : records)
            out.append(libraryEntry(j->library().table(), r).text);
        return out;
    }
    void selectGenre(const QString& genre)
    {
        const int index = w->genreFilter->findText(genre);
        QVERIFY(index >= 0);
        w->genreFilter->setCurrentIndex(index);
    }
    // Plays entry p as a click on its row does; the player is told to open it, and the entry
    // counter has run. Afterwards the counter's refreshes are watched anew.
    void playEntry(int p)
    {
        w->playlist->setCurrentRow(p - 1);
        QCOMPARE(j->playlist().position(), p);
        f->player.script.entryOption = false;
    }
    // Drags the selection of a library list as it stands (a press of the middle button starts the
    // drag without choosing an entry) and drops it onto the playlist; whether the drop was taken.
    bool dragToPlaylist(ListBox* source)
    {
        bool dropped = false;
        f->dragLoop = [this, &dropped](QDrag* drag) {
            QWidget* target = w->playlist->viewport();
            // Qt delivers a drop only where the drag entered first.
            QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            QDropEvent event(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::NoButton, {});
            QCoreApplication::sendEvent(target, &event);
            dropped = event.isAccepted();
            drag->deleteLater();
        };
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, source->viewport()->mapToGlobal(at), Qt::MiddleButton,
                          Qt::MiddleButton, Qt::NoModifier);
        QCoreApplication::sendEvent(source->viewport(), &press);
        f->dragLoop = {};
        return dropped;
    }
    void dropTitle(const QString& title)
    {
        int row = -1;
        for (int i = 0; i < w->titleList->count() && row < 0; ++i)
            if (visibleTextOfCodedEntry(w->titleList->text(i)) == title)
                row = i;
        QVERIFY(row >= 0);
        w->titleList->setCurrentRow(row);
        QVERIFY(dragToPlaylist(w->titleList));
    }
    // For each batch of entries that arrives: whether the playlist was hidden behind the notice.
    QList<bool> waitFrames;
    void watchWaitFrame()
    {
        connect(w->playlist->model(), &QAbstractItemModel::rowsInserted, w, [this] {
            waitFrames.append(w->playlist->isHidden() && w->waitNotice->text() == "Adding files, please wait...");
        });
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        smallFile = f->writeFile("small.mp3", QByteArray(1536, 'x'));
        halfFile = f->writeFile("half.mp3", QByteArray(2560, 'y'));
        const QString db = f->writeDatabase("Lib.VxDatabase", {
            {"The Examples", "First Song", "Rock", smallFile},
            {"the examples", "Second Song", "rock", halfFile},
            {"Other", "Stream", "Jazz", "http://radio.example/stream.mp3"},
            {"  The Examples  ", "Gone", "Pop", f->dir.filePath("missing.mp3")},
            {"Abc", "", "Rock", "/nowhere"},
        });
        j = &f->start(db);
        w = &f->window();
        QCOMPARE(j->library().recordCount(), 5);
        f->player.script.entryOption = false; // tells whether the entry counter ran since
    }
    void cleanup()
    {
        waitFrames.clear();
        f.reset();
    }

    void allToPlaylist_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("all genres, in table order") << "(All genres)" << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("genre compared exactly") << "Rock" << QList<int>{1, 5};
    }
    void allToPlaylist()
    {
        QFETCH(QString, genre);
        QFETCH(QList<int>, records);
        selectGenre(genre);
        shownPlaylist(w->playlist).append({entryOfText("already there")});
        playEntry(1);
        watchWaitFrame();
        w->allToPlaylistButton->click();
        QCOMPARE(playlist(), QStringList{"already there"} + entriesOf(records));
        QCOMPARE(waitFrames, QList<bool>{true});
        QVERIFY(!w->playlist->isHidden());
        QCOMPARE(j->playlist().position(), 1);
        QVERIFY(!f->player.script.entryOption);
    }

    void libraryEntryLayout_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("expected");
        const QString nb(NBSP);
        QTest::newRow("artist column, 7 blanks, title, code")
            << 1 << "The Examples" + QString(28 + 7, ' ') + "First Song" + nb + QString(15, ' ') + nb + nb;
        QTest::newRow("leading blanks kept")
            << 4 << "  The Examples" + QString(26 + 7, ' ') + "Gone" + nb + QString(13, ' ') + nb + "  " + nb;
        QTest::newRow("empty title: 65 characters")
            << 5 << "Abc" + QString(37 + 7, ' ') + nb + QString(13, ' ') + nb + " " + nb + nb;
    }
    void libraryEntryLayout()
    {
        QFETCH(int, record);
        QFETCH(QString, expected);
        w->allToPlaylistButton->click();
        const QString entry = playlist().at(record - 1);
        QCOMPARE(entry, expected);
        QCOMPARE(decodeRecordNumber(entry.right(17)), record);
    }

    void artistDropAddsEveryRecordOfTheArtist()
    {
        selectGenre("Rock");
        w->artistList->setCurrentRow(rowNamed(w->artistList, "The Examples"));
        watchWaitFrame();
        QVERIFY(dragToPlaylist(w->artistList));
        QCOMPARE(playlist(), entriesOf({1, 2, 4}));
        QCOMPARE(waitFrames, QList<bool>{true});
        QVERIFY(!w->playlist->isHidden());
        QVERIFY(!f->player.script.entryOption);
    }

    void titleDropAddsOneEntryAndRefreshesTheCounter()
    {
        shownPlaylist(w->playlist).append({entryOfText("first")});
        playEntry(1);
        QVERIFY(!w->nextEntryButton->isEnabled());
        dropTitle("Second Song");
        QCOMPARE(playlist(), QStringList{"first"} + entriesOf({2}));
        QVERIFY(f->player.script.entryOption);
        QVERIFY(w->nextEntryButton->isEnabled());
        QCOMPARE(j->playlist().position(), 1);
        QVERIFY(!w->playlist->isHidden());
    }

    void dropWithoutSelectionAddsNothing_data()
    {
        QTest::addColumn<bool>("fromArtists");
        QTest::newRow("artists") << true;
        QTest::newRow("titles") << false;
    }
    void dropWithoutSelectionAddsNothing()
    {
        QFETCH(bool, fromArtists);
        w->artistList->setCurrentRow(-1);
        w->titleList->setCurrentRow(-1);
        QVERIFY(dragToPlaylist(fromArtists ? w->artistList : w->titleList));
        QCOMPARE(w->playlist->count(), 0);
        QVERIFY(!w->playlist->isHidden());
    }

    void otherDropsPassToTheNextHandler()
    {
        // A second handler on the playlist (files from other programs) sees every drop that
        // is not a library drag, and none that is. The recorder takes the place of the
        // program's own handler of such drops, behind the library drag's handlers.
        QWidget* viewport = w->playlist->viewport();
        QObject* drag = &j->libraryDrag();
        QObject* editor = &j->playlistEditor();
        DropRecorder recorder;
        viewport->removeEventFilter(&j->drops());
        viewport->removeEventFilter(editor);
        viewport->removeEventFilter(drag);
        viewport->installEventFilter(&recorder);
        viewport->installEventFilter(drag);
        viewport->installEventFilter(editor);

        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/a.mp3")});
        QDragEnterEvent enter(viewport->rect().center(), Qt::CopyAction, &files, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent dropped(viewport->rect().center(), Qt::CopyAction, &files, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropped);
        QCOMPARE(recorder.seen, (QList<QEvent::Type>{QEvent::DragEnter, QEvent::Drop}));
        QCOMPARE(w->playlist->count(), 0);

        w->artistList->setCurrentRow(0);
        QVERIFY(dragToPlaylist(w->artistList));
        QCOMPARE(recorder.seen.size(), 2);
        QVERIFY(w->playlist->count() > 0);
    }

    void wholeDragFromTheTitleList()
    {
        QWidget* viewport = w->titleList->viewport();
        const int record = recordOfCodedEntry(w->titleList->text(1));
        f->dragLoop = [this](QDrag* drag) {
            QWidget* target = w->playlist->viewport();
            QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::NoButton, {});
            QCoreApplication::sendEvent(target, &dropped);
            QVERIFY(dropped.isAccepted());
            drag->deleteLater();
        };
        QTest::mousePress(viewport, Qt::LeftButton, {}, w->titleList->rowRect(1).center());
        QCOMPARE(playlist(), entriesOf({record}));
        QCOMPARE(j->libraryDrag().currentIcon().cacheKey(), j->libraryDrag().dropIcon().cacheKey());
    }

    void addFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("entries"); // empty: the path itself
        const QByteArray m3u = "#EXTM3U\r\n#EXTINF:12,Some One - Song\r\n\r\nrelative/song.mp3  \r\nlast";
        const QStringList lines{"#EXTM3U", "#EXTINF:12,Some One - Song", "", "relative/song.mp3  ", "last"};
        QTest::newRow("m3u") << "list.m3u" << m3u << lines;
        QTest::newRow("M3U upper case") << "LIST.M3U" << m3u << lines;
        QTest::newRow("mixed case") << "list.M3u" << QByteArray("a\rb\r\n") << QStringList{"a", "b"};
        QTest::newRow("m3u8 is a plain file") << "list.m3u8" << m3u << QStringList{};
        QTest::newRow("media file") << "song.mp3" << QByteArray("RIFF") << QStringList{};
        QTest::newRow("windows-1252 line") << "old.m3u" << QByteArray("Caf\xe9.mp3") << QStringList{"Café.mp3"};
        QTest::newRow("empty m3u") << "empty.m3u" << QByteArray() << QStringList{};
    }
    void addFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, entries);
        const QString path = f->writeFile(name, content);
        shownPlaylist(w->playlist).append({entryOfText("before")});
        // The dialog remembers a file chosen earlier, which Add file(s) does not offer.
        const QString previous = f->dir.filePath("previous.vxplaylist");
        f->fileDialog.answers = {previous};
        w->savePlaylistAction->trigger();
        QCOMPARE(f->fileDialog.fileName(), previous);
        playEntry(1);
        f->fileDialog.uses.clear();
        f->fileDialog.answers = {path};
        w->addFilesAction->trigger();

        QCOMPARE(f->fileDialog.uses.size(), 1);
        // Media first, then playlists, then every file.
        const QStringList filters = qtFilter(f->fileDialog.uses[0].filter).split(";;");
        QCOMPARE(filters.size(), 3);
        QVERIFY(filters[0].startsWith("Media files (*.mp3 ") && filters[0].contains(" *.mkv "));
        QCOMPARE(filters[1], QString("Playlists (*.m3u *.m3u8 *.pls)"));
        QCOMPARE(filters[2], QString("All Files (*)"));
        QCOMPARE(f->fileDialog.uses[0].fileName, QString());
        const bool isList = name.right(4).toUpper() == ".M3U";
        QCOMPARE(playlist(), QStringList{"before"} + (isList ? entries : QStringList{path}));
        QCOMPARE(j->playlist().position(), 1);
        QVERIFY(!f->player.script.entryOption);
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void addFileBadInput()
    {
        // Cancelled: nothing. A folder or a FIFO named like a list cannot be read: nothing, and
        // a message saying why. Binary bytes: their "lines", without failing.
        w->addFilesAction->trigger();
        QCOMPARE(w->playlist->count(), 0);
        QVERIFY(QDir(f->dir.path()).mkdir("folder.m3u"));
        const QString fifo = f->dir.filePath("fifo.m3u");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        f->fileDialog.answers = {f->dir.filePath("folder.m3u"), fifo};
        w->addFilesAction->trigger();
        w->addFilesAction->trigger(); // the test's timeout guards against a hang
        QCOMPARE(w->playlist->count(), 0);
        QCOMPARE(f->messageBox.shown.size(), 2);
        QCOMPARE(f->messageBox.shown[0].text, f->dir.filePath("folder.m3u") + ": is a directory");
        QCOMPARE(f->messageBox.shown[1].text, fifo + ": is not a regular file");
        f->messageBox.shown.clear();

        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 37) & 0xff));
        f->fileDialog.answers = {f->writeFile("noise.m3u", binary)};
        w->addFilesAction->trigger();
        // Lines holding a line feed (the file ends lines at CR) are refused, and told.
        const QStringList lines = playlistLines(binary);
        QCOMPARE(w->playlist->count(), lines.size() - lines.filter(QStringLiteral("\n")).size());
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(f->messageBox.shown[0].text.startsWith("Not added to the playlist:"));
    }

    // Several files chosen at once enter in the dialog's order, each as it would alone.
    void addSeveralFiles()
    {
        const QString a = f->writeFile("a.mp3", "x");
        const QString list = f->writeFile("list.m3u", "one\r\n#EXTINF:1,x\r\ntwo\r\n");
        const QString b = f->writeFile("b.ogg", "x");
        f->fileDialog.severalAnswers = {{b, list, a}, {}};
        w->addFilesAction->trigger();
        w->addFilesAction->trigger(); // cancelled

        QCOMPARE(f->fileDialog.uses.size(), 2);
        QCOMPARE(f->fileDialog.uses[0].mode, FileDialog::Mode::OpenSeveral);
        QCOMPARE(playlist(), (QStringList{b, "one", "#EXTINF:1,x", "two", a}));
        for (const PlaylistEntry& entry : j->playlist().entries())
            QCOMPARE(entry.kind, EntryKind::Plain);
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    // Add folder...: every media file below the folder, in path order, as plain entries. A
    // cancel adds nothing; a folder without media says so.
    void addFolder()
    {
        const QString music = f->dir.filePath("music");
        QVERIFY(QDir(f->dir.path()).mkpath("music/b") && QDir(f->dir.path()).mkpath("music/c")
                && QDir(f->dir.path()).mkpath("empty"));
        for (const char* name : {"b/2.mp3", "b/10.mp3", "a.flac", "cover.jpg", "list.m3u", "c/x.wav", "c/notes.txt"})
            f->writeFile(QString("music/") + name, "x");
        f->fileDialog.folderAnswers = {QString(), music, f->dir.filePath("empty")};
        w->addFolderAction->trigger();
        QCOMPARE(w->playlist->count(), 0);

        w->addFolderAction->trigger();
        QCOMPARE(f->fileDialog.uses[1].mode, FileDialog::Mode::Folder);
        QCOMPARE(playlist(), (QStringList{music + "/a.flac", music + "/b/10.mp3", music + "/b/2.mp3", music + "/c/x.wav"}));
        for (const PlaylistEntry& entry : j->playlist().entries())
            QCOMPARE(entry.kind, EntryKind::Plain);
        QVERIFY(f->messageBox.shown.isEmpty());

        w->addFolderAction->trigger();
        QCOMPARE(w->playlist->count(), 4);
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, "No media files were found in " + f->dir.filePath("empty") + ".");
    }

    // A name holding a line break never enters the playlist: Add file(s), an M3U line, Add url
    // and drops refuse it with a message naming it; the other names of the same action are added.
    void namesWithLineBreaksAreRefused_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("name");
        QTest::newRow("file with LF") << "file" << "/music/two\nlines.mp3";
        QTest::newRow("M3U line with LF") << "m3u" << "two\nlines.mp3";
        QTest::newRow("url with CR") << "url" << "http://example.com/a\r.mp3";
        QTest::newRow("dropped file with LF") << "drop" << "/music/two\nlines.mp3";
        QTest::newRow("dropped link text with CR LF") << "text" << "http://example.com/a.mp3\r\n";
    }
    void namesWithLineBreaksAreRefused()
    {
        QFETCH(QString, way);
        QFETCH(QString, name);
        QStringList added; // what the playlist holds afterwards
        if (way == "file") {
            f->fileDialog.answers = {f->writeFile(name.mid(name.lastIndexOf('/') + 1), "RIFF")};
            name = f->fileDialog.answers.first();
            w->addFilesAction->trigger();
        } else if (way == "m3u") {
            // The file ends its lines at CR: a lone LF stays inside a line.
            f->fileDialog.answers = {f->writeFile("list.m3u", "ok.mp3\r" + name.toUtf8() + "\r\n")};
            w->addFilesAction->trigger();
            added = {"ok.mp3"};
        } else if (way == "url") {
            w->addUrlAction->trigger();
            j->playlistEditor().addUrlWindow()->urlField->setText(name);
            j->playlistEditor().addUrlWindow()->addButton->click();
        } else {
            QMimeData mime;
            if (way == "drop")
                mime.setUrls({QUrl::fromLocalFile(name), QUrl::fromLocalFile("/music/ok.mp3")});
            else
                mime.setText(name);
            deliverDrop(w->playlist->viewport(), mime, way == "drop" ? FileManagerActions : Qt::LinkAction);
            if (way == "drop")
                added = {"/music/ok.mp3"};
        }
        QCOMPARE(JukeboxFixture::texts(w->playlist), added);
        QCOMPARE(f->messageBox.shown.size(), 1);
        const QString shown = QString(name).replace('\r', "\\r").replace('\n', "\\n");
        QVERIFY2(f->messageBox.shown[0].text.contains(shown + ": the name holds a line break"),
                 qPrintable(f->messageBox.shown[0].text));
    }

    void removeTakesOnlyTheSelectedEntry()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"a", "b", "c"}));
        int clicks = 0;
        connect(w->playlist, &ListBox::currentRowChanged, this, [&] { ++clicks; });

        w->removeAction->trigger(); // nothing selected
        QCOMPARE(playlist(), (QStringList{"a", "b", "c"}));

        playEntry(2); // a playlist click: opens entry 2
        w->nextEntryButton->click(); // entry 3 is next; the status tick would open it
        QCOMPARE(j->playlist().position(), 3);
        f->player.script.entryOption = false;
        clicks = 0;
        w->removeAction->trigger();
        QCOMPARE(playlist(), (QStringList{"a", "c"}));
        QCOMPARE(w->playlist->currentRow(), -1);
        QCOMPARE(clicks, 0);
        QCOMPARE(j->playlist().position(), 3);
        QVERIFY(!f->player.script.entryOption);
    }

    void clearForgetsThePositionAndTheSelectionSize()
    {
        // The size of the files chosen for a CD outlives the wizard until the playlist is cleared.
        j->cdWizard().start();
        dropTitle("First Song");
        dropTitle("Second Song");
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(4));
        j->cdWizard().close();
        playEntry(1);
        QVERIFY(w->nextEntryButton->isEnabled());

        w->clearPlaylistAction->trigger();
        QCOMPARE(w->playlist->count(), 0);
        QCOMPARE(j->playlist().position(), 0);
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(0));
        QVERIFY(f->player.script.entryOption);
        QVERIFY(!w->nextEntryButton->isEnabled());
    }

    void sizeCountWhileTheWizardRuns()
    {
        j->cdWizard().start();
        dropTitle("Second Song"); // 2560 bytes: 2.5, to the even 2
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(2));
        dropTitle("First Song"); // 1536 bytes
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(4));
        dropTitle("Stream");     // a URL
        dropTitle("Gone");       // a missing file
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(4));
        QCOMPARE(w->playlist->count(), 4);

        w->playlist->setCurrentRow(1); // First Song
        w->removeAction->trigger();
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(2)); // 4 - 1.5 = 2.5, to the even 2
        shownPlaylist(w->playlist).append({entryOfText(QStringLiteral("plain.mp3"))});
        w->playlist->setCurrentRow(w->playlist->count() - 1);
        w->removeAction->trigger();
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(2));
        QCOMPARE(playlist(), entriesOf({2, 3, 4}));
    }

    void sizeCountOnlyInTheWizard()
    {
        j->cdWizard().start();
        dropTitle("First Song");
        j->cdWizard().close();
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(2));
        dropTitle("Second Song");
        w->allToPlaylistButton->click();
        w->playlist->setCurrentRow(0);
        w->removeAction->trigger();
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(2));
    }

    void playlistStopsAtItsCapacity()
    {
        j->cdWizard().start();
        QStringList filler;
        for (int i = 0; i < PlaylistCapacity - 1; ++i)
            filler.append(QString::number(i));
        shownPlaylist(w->playlist).append(entriesOfTexts(filler));
        w->allToPlaylistButton->click(); // only record 1 still fits
        QCOMPARE(w->playlist->count(), PlaylistCapacity);
        QCOMPARE(playlist().last(), libraryEntry(j->library().table(), 1).text);
        QCOMPARE(j->cdWizard().selectionKilobytes(), qint64(2)); // 1536 bytes, and nothing for the records left out
        QVERIFY(!w->playlist->isHidden());
    }

    // Every way of adding to a playlist that is nearly full takes what fits and says, once, how
    // many entries it left out.
    void fullPlaylistTellsHowManyWereLeftOut_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("leftOut");
        QTest::newRow("All to Playlist") << "all" << 1 << 4;
        QTest::newRow("an artist dragged") << "artist" << 1 << 2;
        QTest::newRow("Add file(s) of an M3U") << "m3u" << 1 << 2;
        QTest::newRow("Add url") << "url" << 0 << 1;
        QTest::newRow("files dropped") << "drop" << 2 << 1;
        QTest::newRow("Open Playlist") << "open" << 1 << 2;
    }
    void fullPlaylistTellsHowManyWereLeftOut()
    {
        QFETCH(QString, operation);
        QFETCH(int, room);
        QFETCH(int, leftOut);
        const QString list = f->writeFile("three.m3u", "/m/1.mp3\r\n/m/2.mp3\r\n/m/3.mp3\r\n");
        QStringList filler;
        for (int i = 0; i < PlaylistCapacity - room; ++i)
            filler.append(QString::number(i));
        shownPlaylist(w->playlist).append(entriesOfTexts(filler));

        if (operation == "all") {
            w->allToPlaylistButton->click();
        } else if (operation == "artist") {
            w->artistList->setCurrentRow(0); // "The Examples": three records
            QVERIFY(dragToPlaylist(w->artistList));
        } else if (operation == "m3u") {
            f->fileDialog.answers = {list};
            w->addFilesAction->trigger();
        } else if (operation == "url") {
            w->addUrlAction->trigger();
            j->playlistEditor().addUrlWindow()->urlField->setText("http://radio.example/live");
            j->playlistEditor().addUrlWindow()->addButton->click();
        } else if (operation == "drop") {
            QMimeData mime;
            setFiles(mime, {"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"});
            deliverDrop(w->playlist->viewport(), mime, FileManagerActions);
        } else if (operation == "open") {
            f->fileDialog.answers = {list};
            w->openPlaylistAction->trigger();
        }

        QCOMPARE(w->playlist->count(), PlaylistCapacity);
        QCOMPARE(f->messageBox.shown.size(), 1);
        const QString expected = leftOut == 1 ? QStringLiteral("1 entry was left out") : QStringLiteral("%1 entries were left out").arg(leftOut);
        QVERIFY2(f->messageBox.shown[0].text.startsWith(expected), qPrintable(f->messageBox.shown[0].text));
        QVERIFY(f->messageBox.shown[0].text.contains("32767"));
    }

    void rightClickPopsUpThePlaylistMenu()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"a", "b"}));
        QWidget* viewport = w->playlist->viewport();
        const QPoint onFirst = w->playlist->rowRect(0).center();
        QTest::mousePress(viewport, Qt::RightButton, {}, onFirst);
        QVERIFY(w->playlistMenu->isVisible());
        QCOMPARE(w->playlist->currentRow(), -1); // the right button selects nothing
        w->playlistMenu->hide();
        QTest::mouseRelease(viewport, Qt::RightButton, {}, onFirst);

        QTest::mouseClick(viewport, Qt::LeftButton, {}, onFirst);
        QVERIFY(!w->playlistMenu->isVisible());
        QCOMPARE(w->playlist->currentRow(), 0);
    }
};

QTEST_MAIN(TestPlaylistEditor)
#include "tst_playlist_editor.moc"
