#include "DropEvents.h"
#include "JukeboxFixture.h"
#include "playlist/ExternalDrops.h"
#include "core/PlaylistEntry.h"
#include "playlist/PlaylistFiles.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Playlist and M3U files as the drop handler sees them, without touching the disk.
bool fakeRead(const QString& path, QStringList& lines)
{
    if (path == "list.M3U")
        lines = {"#EXTM3U", "a.mp3", ""};
    else if (path == "saved.VxPlayList")
        lines = {"marked line"};
    else if (path == "bad.m3u")
        lines = {"first"}; // read before the failure
    else
        return false;
    return path != "bad.m3u";
}

} // namespace

class TestExternalDrops : public QObject
{
    Q_OBJECT
private slots:
    void entriesOfADrop_data();
    void entriesOfADrop();
    void dataOfAQtDrop();
    void takesOnlyDropsFromOtherPrograms_data();
    void takesOnlyDropsFromOtherPrograms();

    void fileManagerDropOnPlaylist();
    void linkOnlyTextDrop();
    void dropsIgnoredWhileClosingMessageShows();
    void libraryDragPassesBy();
    void badFilesEndTheDropKeepingWhatWasAdded();
};

void TestExternalDrops::entriesOfADrop_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("hasText");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("entries");
    const QStringList none;
    const int all = 1000;
    QTest::newRow("file manager: files in order") << QStringList{"z.mp3", "a.mp3", "m.avi"} << false << 7 << all
                                                  << QStringList{"z.mp3", "a.mp3", "m.avi"};
    QTest::newRow("copy only: media skipped") << QStringList{"a.mp3"} << false << 1 << all << none;
    QTest::newRow("copy and move: media skipped") << QStringList{"a.mp3"} << false << 3 << all << none;
    QTest::newRow("M3U lines, its name not added")
        << QStringList{"x.mp3", "list.M3U", "y.mp3"} << false << 7 << all
        << QStringList{"x.mp3", "#EXTM3U", "a.mp3", "", "y.mp3"};
    QTest::newRow("playlist file with copy only") << QStringList{"saved.VxPlayList"} << false << 1 << all
                                                  << QStringList{"marked line"};
    QTest::newRow("m3u8 and database are media") << QStringList{"radio.m3u8", "lib.VxDatabase"} << false << 7
                                                 << all << QStringList{"radio.m3u8", "lib.VxDatabase"};
    QTest::newRow("link-only text") << none << true << 4 << all << QStringList{"T"};
    QTest::newRow("text with copy") << none << true << 1 << all << none;
    QTest::newRow("text with file manager") << none << true << 7 << all << none;
    QTest::newRow("link-only text before every pass")
        << QStringList{"a.mp3", "list.M3U"} << true << 4 << all
        << QStringList{"T", "T", "#EXTM3U", "a.mp3", "", "T"};
    QTest::newRow("link-only without text ends at once") << QStringList{"list.M3U"} << false << 4 << all << none;
    QTest::newRow("unreadable file ends the drop")
        << QStringList{"a.mp3", "bad.m3u", "c.mp3"} << false << 7 << all << QStringList{"a.mp3", "first"};
    QTest::newRow("vanished file ends the drop")
        << QStringList{"a.mp3", "gone.m3u", "c.mp3"} << false << 7 << all << QStringList{"a.mp3"};
    QTest::newRow("full playlist") << QStringList{"a", "b", "c"} << false << 7 << 2 << QStringList{"a", "b"};
    QTest::newRow("full inside an M3U") << QStringList{"list.M3U", "b"} << false << 7 << 2
                                        << QStringList{"#EXTM3U", "a.mp3"};
    QTest::newRow("no room") << QStringList{"a"} << true << 4 << 0 << none;
}

void TestExternalDrops::entriesOfADrop()
{
    QFETCH(QStringList, files);
    QFETCH(bool, hasText);
    QFETCH(int, effect);
    QFETCH(int, room);
    QFETCH(QStringList, entries);
    DroppedData drop{files, hasText ? std::optional<QString>("T") : std::nullopt, effect};
    QCOMPARE(droppedEntries(drop, room, fakeRead), entries);
}

void TestExternalDrops::dataOfAQtDrop()
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/music/b.mp3"), QUrl("http://radio.example/live"),
                  QUrl::fromLocalFile("/music/a b.M3U")});
    DroppedData drop = droppedData(mime, int(FileManagerActions | Qt::TargetMoveAction));
    QCOMPARE(drop.files, (QStringList{"/music/b.mp3", "/music/a b.M3U"}));
    QVERIFY(!drop.text); // the URLs are not a text
    QCOMPARE(drop.effect, 7);

    mime.setText("dropped words");
    drop = droppedData(mime, Qt::LinkAction);
    QCOMPARE(drop.text, std::optional<QString>("dropped words"));
    QCOMPARE(drop.effect, 4);

    QMimeData utf8;
    utf8.setData("text/plain;charset=utf-8", "caf\xc3\xa9");
    QCOMPARE(droppedData(utf8, Qt::LinkAction).text, std::optional<QString>(QString::fromUtf8("caf\xc3\xa9")));
}

void TestExternalDrops::takesOnlyDropsFromOtherPrograms_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fromInside");
    QTest::addColumn<bool>("taken");
    QTest::newRow("file URLs") << "files" << false << true;
    QTest::newRow("text") << "text" << false << true;
    QTest::newRow("text with a character set") << "utf8 text" << false << true;
    QTest::newRow("web URL alone") << "web" << false << false;
    QTest::newRow("in-program type") << "private" << false << false;
    QTest::newRow("files from inside the program") << "files" << true << false;
}

void TestExternalDrops::takesOnlyDropsFromOtherPrograms()
{
    QFETCH(QString, kind);
    QFETCH(bool, fromInside);
    QFETCH(bool, taken);
    QMimeData mime;
    if (kind == "files")
        setFiles(mime, {"/music/a.mp3"});
    else if (kind == "text")
        mime.setText("words");
    else if (kind == "utf8 text")
        mime.setData("text/plain;charset=utf-8", "caf\xc3\xa9");
    else if (kind == "web")
        mime.setUrls({QUrl("http://radio.example/live")});
    else
        mime.setData("application/x-vexolin-library-drag", "List2");
    QObject inside;
    QCOMPARE(isExternalDrop(&mime, fromInside ? &inside : nullptr), taken);
}

void TestExternalDrops::fileManagerDropOnPlaylist()
{
    JukeboxFixture fx;
    const QString db = fx.writeDatabase("lib.VxDatabase", {{"The Examples", "First Song", "Pop", "/music/first.mp3"}});
    Form1& form = fx.start(db);
    const QString m3u = fx.writeFile("mix.M3u", "#EXTM3U\r\n#EXTINF:5,Someone - Thing\r\nrel/thing.ogg\r\n\r\n");
    const QString saved = fx.dir.filePath("saved.VXPLAYLIST");
    QVERIFY(writePlaylistFile(saved, {libraryEntry(form.library, 1)}, form.library));
    form.playlist->addItem("already there");
    form.PlaylistPosition = 1;
    QVERIFY(!form.nextEntryButton->isEnabled());

    QMimeData mime;
    setFiles(mime, {"/music/z.mp3", m3u, "/music/a.mp3", saved});
    const DropAnswer answer = deliverDrop(form.playlist->viewport(), mime, FileManagerActions);

    const QStringList texts = JukeboxFixture::texts(form.playlist);
    QCOMPARE(texts.mid(0, 7), (QStringList{"already there", "/music/z.mp3", "#EXTM3U", "#EXTINF:5,Someone - Thing",
                                            "rel/thing.ogg", "", "/music/a.mp3"}));
    QCOMPARE(texts.size(), 8);
    QCOMPARE(entryKindForPlayer(texts[7]), EntryKind::Marked);
    QCOMPARE(markedPath(texts[7]), QStringView(u"/music/first.mp3"));
    // Never answered as a move: the file manager must not delete what it offered.
    QVERIFY(answer.enterAccepted);
    QVERIFY(answer.dropAccepted);
    QCOMPARE(answer.action, Qt::CopyAction);
    QCOMPARE(form.PlaylistPosition, 1);
    QVERIFY(form.nextEntryButton->isEnabled()); // the counter saw the new entries
    QCOMPARE(form.waitNotice->text(), QString("Adding files, please wait..."));
    QVERIFY(!form.playlist->isHidden());
}

void TestExternalDrops::linkOnlyTextDrop()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    QMimeData mime;
    mime.setText("http://radio.example/live");
    DropAnswer answer = deliverDrop(form.playlist->viewport(), mime, Qt::LinkAction);
    QCOMPARE(answer.action, Qt::LinkAction);
    answer = deliverDrop(form.playlist->viewport(), mime, Qt::CopyAction | Qt::LinkAction);
    QCOMPARE(JukeboxFixture::texts(form.playlist), QStringList{"http://radio.example/live"});
}

void TestExternalDrops::dropsIgnoredWhileClosingMessageShows()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.waitNotice->setText("before");
    form.playerNotice->show();
    QMimeData mime;
    setFiles(mime, {"/music/a.mp3"});
    deliverDrop(form.playlist->viewport(), mime, FileManagerActions);
    QCOMPARE(form.playlist->count(), 0);
    QCOMPARE(form.waitNotice->text(), QString("before"));

    form.playerNotice->hide();
    deliverDrop(form.playlist->viewport(), mime, FileManagerActions);
    QCOMPARE(form.playlist->count(), 1);
}

void TestExternalDrops::libraryDragPassesBy()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    form.waitNotice->setText("before");
    QMimeData mime;
    mime.setData("application/x-vexolin-library-drag", "List2");
    const DropAnswer answer = deliverDrop(form.playlist->viewport(), mime, Qt::CopyAction);
    QVERIFY(!answer.enterAccepted);
    QCOMPARE(form.playlist->count(), 0);
    QCOMPARE(form.waitNotice->text(), QString("before"));
}

void TestExternalDrops::badFilesEndTheDropKeepingWhatWasAdded()
{
    JukeboxFixture fx;
    Form1& form = fx.start();
    QVERIFY(QDir(fx.dir.path()).mkdir("folder.m3u"));
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 131) % 256));
    const QString junk = fx.writeFile("junk.m3u", binary);
    const QString longLine = fx.writeFile("long.m3u", QByteArray(1 << 20, 'x'));

    QMimeData mime;
    setFiles(mime, {junk, longLine, "/music/a.mp3", fx.dir.filePath("folder.m3u"), "/music/b.mp3"});
    deliverDrop(form.playlist->viewport(), mime, FileManagerActions);

    const QStringList texts = JukeboxFixture::texts(form.playlist);
    const qsizetype junkLines = playlistLines(binary).size();
    QCOMPARE(texts.size(), junkLines + 2);
    QCOMPARE(texts[junkLines].size(), 1 << 20);
    QCOMPARE(texts.last(), QString("/music/a.mp3")); // the folder ended the drop
    QVERIFY(!form.playlist->isHidden());
}

QTEST_MAIN(TestExternalDrops)
#include "tst_external_drops.moc"
