#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "ui/playback/PlayerControl.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

// Keeps writes of this process below `bytes` until destroyed: a disk that fills up.
struct FileSizeLimit
{
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
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
    QCOMPARE(fx.jukebox->playerControl().position(), p);
    fx.player.script.entryOption = false;
}

} // namespace

class TestPlaylistFiles : public QObject
{
    Q_OBJECT
private slots:
    void openAppendsAfterExistingEntriesAndRefreshesCounter();
    void openFailuresAddNothingAndStaySilent_data();
    void openFailuresAddNothingAndStaySilent();
    void openStopsWhenThePlaylistIsFull();
    void saveOffersLastFileAndWritesUnderTypedName();
    void saveCancelledWritesNothing();
    void saveOfEmptyPlaylistIsEmptyFile();
    void savedClearedAndOpenedPlaysSameFilesShowsSameTexts();
    void failedSaveIsReportedAndKeepsEarlierFile();
    void unwritableLocationIsReported();
};

void TestPlaylistFiles::openAppendsAfterExistingEntriesAndRefreshesCounter()
{
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    const QString path = fx.writeFile("list.vxplaylist", "a\r\n\r\nb");
    w.playlist->addItem("existing");
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
    QCOMPARE(j.playerControl().position(), 1);
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::openFailuresAddNothingAndStaySilent_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("missing file") << QString("missing.vxplaylist");
    QTest::newRow("directory") << QString("folder.vxplaylist");
}

void TestPlaylistFiles::openFailuresAddNothingAndStaySilent()
{
    QFETCH(QString, answer);
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    QVERIFY(QDir(fx.dir.path()).mkdir("folder.vxplaylist"));
    w.playlist->addItems({"one", "two"});
    playEntry(fx, 1);
    fx.fileDialog.answers = {answer.isEmpty() ? answer : fx.dir.filePath(answer)};

    w.openPlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(w.playlist), (QStringList{"one", "two"}));
    QVERIFY(fx.player.script.entryOption); // the counter still ran
    QVERIFY(w.nextEntryButton->isEnabled());
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::openStopsWhenThePlaylistIsFull()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    QStringList many(PlaylistCapacity - 3, QStringLiteral("x"));
    w.playlist->addItems(many);
    fx.fileDialog.answers = {fx.writeFile("ten.m3u", QByteArray("line\r\n").repeated(10))};
    w.openPlaylistAction->trigger();
    QCOMPARE(w.playlist->count(), PlaylistCapacity);
    QCOMPARE(w.playlist->item(PlaylistCapacity - 1)->text(), QString("line"));
}

void TestPlaylistFiles::saveOffersLastFileAndWritesUnderTypedName()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    const QString opened = fx.writeFile("chosen.m3u", "http://radio.example/live\r\n/m/a.mp3\r\n");
    const QString typed = fx.dir.filePath("mylist"); // no extension added
    fx.fileDialog.answers = {opened, typed};

    w.openPlaylistAction->trigger();
    w.savePlaylistAction->trigger();
    QCOMPARE(fx.fileDialog.uses.size(), 2);
    QCOMPARE(fx.fileDialog.uses[1].mode, FileDialog::Mode::Save);
    QCOMPARE(fx.fileDialog.uses[1].filter, QString("Vexolin Playlist|*.vxplaylist"));
    QCOMPARE(fx.fileDialog.uses[1].fileName, opened); // the most recent file chosen
    QVERIFY(fx.fileDialog.uses[1].replaceWithoutAsking); // an existing file is replaced without a question
    QCOMPARE(fileBytes(typed), QByteArray("http://radio.example/live\r\n/m/a.mp3\r\n"));
    QVERIFY(!QFile::exists(typed + ".vxplaylist"));
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::saveCancelledWritesNothing()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    w.playlist->addItem("x");
    fx.fileDialog.answers = {QString()};
    w.savePlaylistAction->trigger();
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files), QStringList());
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
                                                           {"Other", "Second", "Rock", "/music/second.ogg"}});
    Jukebox& j = fx.start(db);
    MainWindow& w = fx.window();
    QCOMPARE(j.library().recordCount(), 2);
    const LibraryTable& table = j.library().table();
    const QStringList before{libraryEntry(table, 2), "http://radio.example/live", libraryEntry(table, 1)};
    w.playlist->addItems(before);
    const QString path = fx.dir.filePath("round.vxplaylist");
    fx.fileDialog.answers = {path, path};

    w.savePlaylistAction->trigger();
    w.clearPlaylistAction->trigger();
    QCOMPARE(w.playlist->count(), 0);
    w.openPlaylistAction->trigger();

    const QStringList after = JukeboxFixture::texts(w.playlist);
    QCOMPARE(after.size(), before.size());
    const QStringList files{"/music/second.ogg", "http://radio.example/live", "/music/first.mp3"};
    for (int i = 0; i < after.size(); ++i) {
        const QString& entry = after[i];
        const QString path = entryKindForPlayer(entry) == EntryKind::Marked ? markedPath(entry).toString() : entry;
        QCOMPARE(path, files[i]);
        // The visible columns come back unchanged; the rest lies beyond the list's edge.
        QVERIFY(entry.startsWith(visibleTextOfCodedEntry(before[i])));
        QVERIFY(!entry.contains(NBSP));
    }
}

void TestPlaylistFiles::failedSaveIsReportedAndKeepsEarlierFile()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    const QByteArray earlier = "earlier\r\nplaylist\r\n";
    const QString path = fx.writeFile("keep.vxplaylist", earlier);
    w.playlist->addItems(QStringList(2000, QString(200, QChar('x'))));
    fx.fileDialog.answers = {path};
    {
        const FileSizeLimit fullDisk(64 * 1024);
        w.savePlaylistAction->trigger();
    }
    QCOMPARE(fileBytes(path), earlier);
    QCOMPARE(fx.messageBox.shown.size(), 1);
    QCOMPARE(fx.messageBox.shown[0].title, QString("Error"));
    QVERIFY(fx.messageBox.shown[0].text.contains(path));
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files), QStringList{"keep.vxplaylist"}); // no leftovers
}

void TestPlaylistFiles::unwritableLocationIsReported()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    w.playlist->addItem("x");
    fx.fileDialog.answers = {fx.dir.filePath("no/such/folder/list.vxplaylist")};
    w.savePlaylistAction->trigger();
    QCOMPARE(fx.messageBox.shown.size(), 1);
}

QTEST_MAIN(TestPlaylistFiles)
#include "tst_playlist_files.moc"
