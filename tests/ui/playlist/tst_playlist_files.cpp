#include "DropEvents.h"
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "ui/playback/PlayerControl.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>
#include <sys/resource.h>

namespace {

// Keeps writes of this process below `bytes` until destroyed: a disk that fills up.
struct FileSizeLimit
{
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

// Plays entry p as a click on its row does; the entry counter runs. Afterwards the counter's
// refreshes are watched anew.
void playEntry(JukeboxFixture& fx, int p)
{
    fx.window().playlist->setCurrentRow(p - 1);
    QCOMPARE(fx.jukebox->playlist().position(), p);
    fx.player.script.entryOption = false;
}

} // namespace

class TestPlaylistFiles : public QObject
{
    Q_OBJECT
private slots:
    void openAppendsAfterExistingEntriesAndRefreshesCounter();
    void openFailuresAddNothingAndSayWhy_data();
    void openFailuresAddNothingAndSayWhy();
    void openStopsWhenThePlaylistIsFull();
    void leftOutCountIsExactEveryWayIn_data();
    void leftOutCountIsExactEveryWayIn();
    void saveOffersLastFileAndWritesUnderTypedName();
    void saveCancelledWritesNothing();
    void saveOfEmptyPlaylistIsEmptyFile();
    void savedClearedAndOpenedPlaysSameFilesShowsSameTexts();
    void failedSaveIsReportedAndKeepsEarlierFile();
    void unwritableLocationIsReported();
    void plainEntriesComeBackAndPlayTheirOwnFiles();
};

void TestPlaylistFiles::openAppendsAfterExistingEntriesAndRefreshesCounter()
{
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    const QString path = fx.writeFile("list.vxplaylist", "a\r\n\r\nb");
    shownPlaylist(w.playlist).append({entryOfText("existing")});
    // The dialog remembers a file chosen earlier, which Open Playlist does not offer.
    const QString earlier = fx.dir.filePath("earlier.vxplaylist");
    fx.fileDialog.answers = {earlier};
    w.savePlaylistAction->trigger();
    QCOMPARE(fx.fileDialog.fileName(), earlier);
    fx.fileDialog.uses.clear();
    playEntry(fx, 1);
    QVERIFY(!w.nextEntryButton->isEnabled());
    fx.fileDialog.answers = {path, path};

    w.openPlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(w.playlist), (QStringList{"existing", "a", "", "b"}));
    QVERIFY(w.nextEntryButton->isEnabled()); // the counter saw the new entries after position 1
    QVERIFY(fx.player.script.entryOption);
    w.openPlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(w.playlist), (QStringList{"existing", "a", "", "b", "a", "", "b"}));

    QCOMPARE(fx.fileDialog.uses.size(), 2);
    QCOMPARE(fx.fileDialog.uses[0].mode, FileDialog::Mode::Open);
    QCOMPARE(fx.fileDialog.uses[0].filter, QString("Vexolin Playlist|*.vxplaylist"));
    QCOMPARE(fx.fileDialog.uses[0].fileName, QString()); // cleared before showing
    QCOMPARE(j.playlist().position(), 1);
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::openFailuresAddNothingAndSayWhy_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("why");
    QTest::newRow("cancelled") << QString() << QString();
    QTest::newRow("missing file") << QString("missing.vxplaylist") << QString(": No such file or directory");
    QTest::newRow("directory") << QString("folder.vxplaylist") << QString(": is a directory");
    QTest::newRow("FIFO") << QString("fifo.m3u") << QString(": is not a regular file");
    QTest::newRow("link to /dev/zero") << QString("zero.m3u") << QString(": is not a regular file");
    QTest::newRow("overlong line") << QString("long.m3u") << QString(": a line is longer than 65536 characters");
}

void TestPlaylistFiles::openFailuresAddNothingAndSayWhy()
{
    QFETCH(QString, answer);
    QFETCH(QString, why);
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    QVERIFY(QDir(fx.dir.path()).mkdir("folder.vxplaylist"));
    QVERIFY(::mkfifo(QFile::encodeName(fx.dir.filePath("fifo.m3u")).constData(), 0600) == 0);
    QVERIFY(QFile::link("/dev/zero", fx.dir.filePath("zero.m3u")));
    fx.writeFile("long.m3u", "a.mp3\r\n" + QByteArray(3 << 20, 'x') + "\r\nb.mp3\r\n");
    shownPlaylist(w.playlist).append(entriesOfTexts({"one", "two"}));
    playEntry(fx, 1);
    const QString path = answer.isEmpty() ? answer : fx.dir.filePath(answer);
    fx.fileDialog.answers = {path};

    w.openPlaylistAction->trigger(); // the test's timeout guards against a hang
    QCOMPARE(JukeboxFixture::texts(w.playlist), (QStringList{"one", "two"}));
    QVERIFY(fx.player.script.entryOption); // the counter still ran
    QVERIFY(w.nextEntryButton->isEnabled());
    if (why.isEmpty()) {
        QVERIFY(fx.messageBox.shown.isEmpty());
    } else {
        QCOMPARE(fx.messageBox.shown.size(), 1);
        QCOMPARE(fx.messageBox.shown[0].text, path + why);
    }
}

void TestPlaylistFiles::openStopsWhenThePlaylistIsFull()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    QStringList many(PlaylistCapacity - 3, QStringLiteral("x"));
    shownPlaylist(w.playlist).append(entriesOfTexts(many));
    fx.fileDialog.answers = {fx.writeFile("ten.m3u", QByteArray("line\r\n").repeated(10))};
    w.openPlaylistAction->trigger();
    QCOMPARE(w.playlist->count(), PlaylistCapacity);
    QCOMPARE(w.playlist->text(PlaylistCapacity - 1), QString("line"));
    QCOMPARE(fx.messageBox.shown.size(), 1); // the seven lines left out are counted
    QVERIFY(fx.messageBox.shown[0].text.startsWith("7 entries were left out"));
}

// Every way a playlist file comes in keeps what the playlist holds and tells exactly how many of
// its lines were left out.
void TestPlaylistFiles::leftOutCountIsExactEveryWayIn_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("leftOut");
    for (const char* way : {"Open Playlist", "Add file(s)", "drop", "command line"}) {
        QTest::addRow("%s, 32767 lines", way) << QString(way) << 32767 << 0;
        QTest::addRow("%s, 32768 lines", way) << QString(way) << 32768 << 1;
        QTest::addRow("%s, 33000 lines", way) << QString(way) << 33000 << 233;
        QTest::addRow("%s, 40000 lines", way) << QString(way) << 40000 << 7233;
    }
}

void TestPlaylistFiles::leftOutCountIsExactEveryWayIn()
{
    QFETCH(QString, way);
    QFETCH(int, lines);
    QFETCH(int, leftOut);
    JukeboxFixture fx;
    QByteArray bytes;
    for (int i = 1; i <= lines; ++i)
        bytes += "/music/" + QByteArray::number(i) + ".mp3\r\n";
    const QString path = fx.writeFile("big.m3u", bytes);
    if (way == "command line") {
        fx.start(path);
    } else {
        fx.start();
        fx.fileDialog.answers = {path};
        MainWindow& w = fx.window();
        if (way == "Open Playlist") {
            w.openPlaylistAction->trigger();
        } else if (way == "Add file(s)") {
            w.addFilesAction->trigger();
        } else {
            QMimeData mime;
            setFiles(mime, {path});
            deliverDrop(w.playlist->viewport(), mime, FileManagerActions);
        }
    }

    const ListBox* playlist = fx.window().playlist;
    QCOMPARE(playlist->count(), PlaylistCapacity);
    QCOMPARE(playlist->text(PlaylistCapacity - 1), QString("/music/%1.mp3").arg(PlaylistCapacity));
    if (leftOut == 0) {
        QVERIFY(fx.messageBox.shown.isEmpty());
        return;
    }
    QCOMPARE(fx.messageBox.shown.size(), 1);
    const QString count = leftOut == 1 ? QStringLiteral("1 entry was") : QStringLiteral("%1 entries were").arg(leftOut);
    QCOMPARE(fx.messageBox.shown[0].text, count + " left out: the playlist holds at most 32767 entries.");
}

void TestPlaylistFiles::saveOffersLastFileAndWritesUnderTypedName()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    const QString opened = fx.writeFile("chosen.m3u", "http://radio.example/live\r\n/m/a.mp3\r\n");
    // The dialog gives a name typed without an extension the playlist's (it is asked to); the
    // file is written under exactly the name it returns.
    const QString typed = fx.dir.filePath("mylist");
    fx.fileDialog.answers = {opened, typed};

    w.openPlaylistAction->trigger();
    w.savePlaylistAction->trigger();
    QCOMPARE(fx.fileDialog.uses.size(), 2);
    QCOMPARE(fx.fileDialog.uses[1].mode, FileDialog::Mode::Save);
    QCOMPARE(fx.fileDialog.uses[1].filter, QString("Vexolin Playlist|*.vxplaylist"));
    QCOMPARE(fx.fileDialog.uses[1].defaultSuffix, QString("vxplaylist"));
    QCOMPARE(fx.fileDialog.uses[1].fileName, opened); // the most recent file chosen
    QCOMPARE(fileBytes(typed), QByteArray("http://radio.example/live\r\n/m/a.mp3\r\n"));
    QVERIFY(!QFile::exists(typed + ".vxplaylist"));
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::saveCancelledWritesNothing()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    shownPlaylist(w.playlist).append({entryOfText("x")});
    fx.fileDialog.answers = {QString()};
    w.savePlaylistAction->trigger();
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::saveOfEmptyPlaylistIsEmptyFile()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    const QString path = fx.writeFile("old.vxplaylist", "old\r\n");
    fx.fileDialog.answers = {path};
    w.savePlaylistAction->trigger();
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestPlaylistFiles::savedClearedAndOpenedPlaysSameFilesShowsSameTexts()
{
    JukeboxFixture fx;
    const QString db = fx.writeDatabase("lib.VxDatabase", {{"The Examples", "First Song", "Pop", "/music/first.mp3"},
                                                           {"Other", "Second", "Rock", "/music/second.ogg"},
                                                           {"Band", QString("Song") + NBSP + "With Nbsp", "Pop", "/music/nbsp.mp3"}});
    Jukebox& j = fx.start(db);
    MainWindow& w = fx.window();
    QCOMPARE(j.library().recordCount(), 3);
    const LibraryTable& table = j.library().table();
    const QList<PlaylistEntry> before{libraryEntry(table, 2), entryOfText("http://radio.example/live"),
                                      libraryEntry(table, 1), libraryEntry(table, 3)};
    shownPlaylist(w.playlist).append(before);
    const QString path = fx.dir.filePath("round.vxplaylist");
    fx.fileDialog.answers = {path, path};

    w.savePlaylistAction->trigger();
    w.clearPlaylistAction->trigger();
    QCOMPARE(w.playlist->count(), 0);
    w.openPlaylistAction->trigger();

    const QList<PlaylistEntry> after = shownPlaylist(w.playlist).entries();
    QCOMPARE(after.size(), before.size());
    const QStringList files{"/music/second.ogg", "http://radio.example/live", "/music/first.mp3", "/music/nbsp.mp3"};
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(fileOfEntry(after[i], table), files[i]);
        // The visible columns come back whole; the rest lies beyond the list's edge.
        QVERIFY(after[i].text.startsWith(withoutRecordCode(before[i].text)));
    }
    // A no-break space inside a title is part of what the entry shows.
    QCOMPARE(after[3].text, "Band" + QString(43, ' ') + "Song" + NBSP + "With Nbsp" + QString(80, ' ')
                                + PathMarker.toString() + "/music/nbsp.mp3");
}

void TestPlaylistFiles::failedSaveIsReportedAndKeepsEarlierFile()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    const QByteArray earlier = "earlier\r\nplaylist\r\n";
    const QString path = fx.writeFile("keep.vxplaylist", earlier);
    shownPlaylist(w.playlist).append(entriesOfTexts(QStringList(2000, QString(200, QChar('x')))));
    fx.fileDialog.answers = {path};
    {
        const FileSizeLimit fullDisk(64 * 1024);
        w.savePlaylistAction->trigger();
    }
    QCOMPARE(fileBytes(path), earlier);
    QCOMPARE(fx.messageBox.shown.size(), 1);
    QCOMPARE(fx.messageBox.shown[0].title, QString("Error"));
    QVERIFY(fx.messageBox.shown[0].text.contains(path));
    QVERIFY(fx.messageBox.shown[0].text.contains("File too large"));
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.vxplaylist"}); // no leftovers
}

void TestPlaylistFiles::unwritableLocationIsReported()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    shownPlaylist(w.playlist).append({entryOfText("x")});
    fx.fileDialog.answers = {fx.dir.filePath("no/such/folder/list.vxplaylist")};
    w.savePlaylistAction->trigger();
    QCOMPARE(fx.messageBox.shown.size(), 1);
}

// Texts that came from outside the library (here typed as URLs) keep their kind through a save
// and an open, however a no-break space or a record's code stands in them: each plays its own
// file, never a record's.
void TestPlaylistFiles::plainEntriesComeBackAndPlayTheirOwnFiles()
{
    JukeboxFixture fx;
    Jukebox& j = fx.startWithRecords({{"The Examples", "First Song", "Pop", "/music/first.mp3"},
                                      {"Other", "Second", "Rock", "/music/second.ogg"}});
    MainWindow& w = fx.window();
    const QStringList texts = {
        QStringLiteral("/music/Titre") + NBSP + QString::fromUtf8(": \u00c7a va, tr\u00e8s") + NBSP + "bien.mp3",
        "/music/" + QString(50, 'x') + NBSP + encodeRecordNumber(1) + NBSP,
        "The Examples" + QString(35, ' ') + "Second" + NBSP + encodeRecordNumber(2) + NBSP,
    };
    shownPlaylist(w.playlist).append(entriesOfTexts(texts));
    const QString path = fx.dir.filePath("plain.vxplaylist");
    fx.fileDialog.answers = {path, path};
    w.savePlaylistAction->trigger();
    w.clearPlaylistAction->trigger();
    w.openPlaylistAction->trigger();

    QCOMPARE(JukeboxFixture::texts(w.playlist), texts);
    fx.player.calls.clear();
    for (int row = 0; row < texts.size(); ++row)
        w.playlist->setCurrentRow(row);
    QStringList opened;
    for (const QString& call : fx.player.calls.filter("open "))
        opened.append(call.mid(5));
    QCOMPARE(opened, texts);
    QCOMPARE(j.playlist().position(), 3);
}

QTEST_MAIN(TestPlaylistFiles)
#include "tst_playlist_files.moc"
