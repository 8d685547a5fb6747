#include "JukeboxFixture.h"
#include "core/RecordCode.h"
#include "core/PlaylistEntry.h"
#include "playlist/PlaylistFiles.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

const QString Marker = PathMarker.toString();
QString blanks(int n) { return QString(n, QChar(' ')); }

LibraryTable exampleTable()
{
    LibraryTable table;
    table.append(LibraryRecord::fromTexts(u"The Examples", u"First Song", u"Pop", u"C:\\music\\first.mp3"));
    table.append(LibraryRecord::fromTexts(u"Nobody", u"Silence", u"Pop", u""));
    table.append(LibraryRecord::fromTexts(u"Web", u"Stream", u"Radio", u"  http://radio.example/live  "));
    return table;
}

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

} // namespace

class TestPlaylistFiles : public QObject
{
    Q_OBJECT
private slots:
    void readsLinesAsTheyStand_data();
    void readsLinesAsTheyStand();
    void writesLibraryEntriesAsMarkedLines_data();
    void writesLibraryEntriesAsMarkedLines();
    void readingAndSavingAgainGivesTheSameLines();

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

void TestPlaylistFiles::readsLinesAsTheyStand_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("unterminated last line") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("LF alone does not end a line") << QByteArray("a\nb\n") << QStringList{"a\nb\n"};
    QTest::newRow("lone CR ends a line") << QByteArray("a\rb") << QStringList{"a", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("blank line kept untrimmed") << QByteArray("   \r\n") << QStringList{"   "};
    QTest::newRow("extended M3U unchanged")
        << QByteArray("#EXTM3U\r\n#EXTINF:123,Artist - Title\r\n..\\rel\\song.mp3\r\n")
        << QStringList{"#EXTM3U", "#EXTINF:123,Artist - Title", "..\\rel\\song.mp3"};
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9\r\n") << QStringList{QString::fromUtf8("caf\xc3\xa9")};
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9 \x80\r\n") << QStringList{QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac")};
}

void TestPlaylistFiles::readsLinesAsTheyStand()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(playlistLines(bytes), entries);
}

void TestPlaylistFiles::writesLibraryEntriesAsMarkedLines_data()
{
    const LibraryTable table = exampleTable();
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("line");
    QTest::newRow("library entry")
        << libraryEntry(table, 1)
        << "The Examples" + blanks(35) + "First Song" + blanks(80) + Marker + "C:\\music\\first.mp3";
    QTest::newRow("blank file: nothing after the marker")
        << libraryEntry(table, 2) << "Nobody" + blanks(41) + "Silence" + blanks(80) + Marker;
    QTest::newRow("file trimmed")
        << libraryEntry(table, 3) << "Web" + blanks(44) + "Stream" + blanks(80) + Marker + "http://radio.example/live";
    QTest::newRow("URL unchanged") << "http://radio.example/live" << "http://radio.example/live";
    const QString marked = "Somebody" + blanks(39) + "Song" + blanks(80) + Marker + "/m/song.mp3";
    QTest::newRow("marked entry unchanged") << marked << marked;
    QTest::newRow("leading NBSP is no library entry") << QString(NBSP) + encodeRecordNumber(1) + NBSP
                                                      << QString(NBSP) + encodeRecordNumber(1) + NBSP;
    // A plain name that holds a no-break space must not be replaced by some record's file.
    QTest::newRow("plain name with NBSP unchanged")
        << QString("/music/Some") + NBSP + "Song.mp3" << QString("/music/Some") + NBSP + "Song.mp3";
    QTest::newRow("code of a record not in the table unchanged")
        << "Gone" + blanks(43) + "Song" + NBSP + encodeRecordNumber(4) + NBSP
        << "Gone" + blanks(43) + "Song" + NBSP + encodeRecordNumber(4) + NBSP;
}

void TestPlaylistFiles::writesLibraryEntriesAsMarkedLines()
{
    QFETCH(QString, entry);
    QFETCH(QString, line);
    const LibraryTable table = exampleTable();
    QCOMPARE(playlistLine(entry, table), line);
    QCOMPARE(playlistFileBytes({entry, entry}, table), (line + "\r\n" + line + "\r\n").toUtf8());
}

void TestPlaylistFiles::readingAndSavingAgainGivesTheSameLines()
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.vxplaylist");
    const QString second = dir.filePath("second.vxplaylist");
    const LibraryTable table = exampleTable();
    QVERIFY(writePlaylistFile(first, {libraryEntry(table, 1), "", "  ", "x\ny", "#EXTM3U", libraryEntry(table, 3)}, table));

    QStringList lines;
    QVERIFY(readPlaylistFile(first, lines));
    QCOMPARE(lines.size(), 6);
    QVERIFY(writePlaylistFile(second, lines, table));
    QCOMPARE(fileBytes(second), fileBytes(first));

    // A last line without an ending gains one.
    QFile f(first);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("one\r\ntwo");
    f.close();
    QVERIFY(readPlaylistFile(first, lines));
    QVERIFY(writePlaylistFile(second, lines, table));
    QCOMPARE(fileBytes(second), QByteArray("one\r\ntwo\r\n"));
}

void TestPlaylistFiles::openAppendsAfterExistingEntriesAndRefreshesCounter()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    const QString path = fx.writeFile("list.vxplaylist", "a\r\n\r\nb");
    form.playlist->addItem("existing");
    form.PlaylistPosition = 1;
    fx.fileDialog.fileName = "earlier.VxDatabase";
    fx.fileDialog.answers = {path, path};

    form.openPlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(form.playlist), (QStringList{"existing", "a", "", "b"}));
    QVERIFY(form.nextEntryButton->isEnabled()); // the counter saw the new entries after position 1
    form.openPlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(form.playlist), (QStringList{"existing", "a", "", "b", "a", "", "b"}));

    QCOMPARE(fx.fileDialog.uses.size(), 2);
    QCOMPARE(fx.fileDialog.uses[0].mode, FileDialog::Mode::Open);
    QCOMPARE(fx.fileDialog.uses[0].filter, QString("Vexolin Playlist|*.vxplaylist"));
    QCOMPARE(fx.fileDialog.uses[0].fileName, QString()); // cleared before showing
    QCOMPARE(form.PlaylistPosition, 1);
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
    Form1& form = fx.start();
    QVERIFY(QDir(fx.dir.path()).mkdir("folder.vxplaylist"));
    form.playlist->addItems({"one", "two"});
    form.PlaylistPosition = 1;
    fx.fileDialog.answers = {answer.isEmpty() ? answer : fx.dir.filePath(answer)};

    form.openPlaylistAction->trigger();
    QCOMPARE(JukeboxFixture::texts(form.playlist), (QStringList{"one", "two"}));
    QVERIFY(form.nextEntryButton->isEnabled()); // the counter still ran
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::openStopsWhenThePlaylistIsFull()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    QStringList many(PlaylistCapacity - 3, QStringLiteral("x"));
    form.playlist->addItems(many);
    fx.fileDialog.answers = {fx.writeFile("ten.m3u", QByteArray("line\r\n").repeated(10))};
    form.openPlaylistAction->trigger();
    QCOMPARE(form.playlist->count(), PlaylistCapacity);
    QCOMPARE(form.playlist->item(PlaylistCapacity - 1)->text(), QString("line"));
}

void TestPlaylistFiles::saveOffersLastFileAndWritesUnderTypedName()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    const QString opened = fx.writeFile("chosen.m3u", "http://radio.example/live\r\n/m/a.mp3\r\n");
    const QString typed = fx.dir.filePath("mylist"); // no extension added
    fx.fileDialog.answers = {opened, typed};

    form.openPlaylistAction->trigger();
    form.savePlaylistAction->trigger();
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
    Form1& form = fx.start();
    form.playlist->addItem("x");
    fx.fileDialog.answers = {QString()};
    form.savePlaylistAction->trigger();
    QCOMPARE(QDir(fx.dir.path()).entryList(QDir::Files), QStringList());
    QVERIFY(fx.messageBox.shown.isEmpty());
}

void TestPlaylistFiles::saveOfEmptyPlaylistIsEmptyFile()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    const QString path = fx.writeFile("old.vxplaylist", "old\r\n");
    fx.fileDialog.answers = {path};
    form.savePlaylistAction->trigger();
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestPlaylistFiles::savedClearedAndOpenedPlaysSameFilesShowsSameTexts()
{
    JukeboxFixture fx;
    const QString db = fx.writeDatabase("lib.VxDatabase", {{"The Examples", "First Song", "Pop", "/music/first.mp3"},
                                                           {"Other", "Second", "Rock", "/music/second.ogg"}});
    Form1& form = fx.start(db);
    QCOMPARE(form.library.recordCount(), 2);
    const QStringList before{libraryEntry(form.library, 2), "http://radio.example/live", libraryEntry(form.library, 1)};
    form.playlist->addItems(before);
    const QString path = fx.dir.filePath("round.vxplaylist");
    fx.fileDialog.answers = {path, path};

    form.savePlaylistAction->trigger();
    form.playlist->clear();
    form.openPlaylistAction->trigger();

    const QStringList after = JukeboxFixture::texts(form.playlist);
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
    Form1& form = fx.start();
    const QByteArray earlier = "earlier\r\nplaylist\r\n";
    const QString path = fx.writeFile("keep.vxplaylist", earlier);
    form.playlist->addItems(QStringList(2000, QString(200, QChar('x'))));
    fx.fileDialog.answers = {path};
    {
        const FileSizeLimit fullDisk(64 * 1024);
        form.savePlaylistAction->trigger();
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
    Form1& form = fx.start();
    form.playlist->addItem("x");
    fx.fileDialog.answers = {fx.dir.filePath("no/such/folder/list.vxplaylist")};
    form.savePlaylistAction->trigger();
    QCOMPARE(fx.messageBox.shown.size(), 1);
}

QTEST_MAIN(TestPlaylistFiles)
#include "tst_playlist_files.moc"
