#include "DropEvents.h"
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/playback/PlayerControl.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

class TestExternalDrops : public QObject
{
    Q_OBJECT
private slots:
    void fileManagerDropOnPlaylist();
    void linkOnlyTextDrop();
    void dropsIgnoredWhileThePlayerNoticeShows();
    void inProgramDataPassesBy();
    void badFilesEndTheDropKeepingWhatWasAdded();
    void dragIsAllowedOnlyWhereTheDropIsTaken_data();
    void dragIsAllowedOnlyWhereTheDropIsTaken();
};

void TestExternalDrops::fileManagerDropOnPlaylist()
{
    JukeboxFixture fx;
    const QString db = fx.writeDatabase("lib.VxDatabase", {{"The Examples", "First Song", "Pop", "/music/first.mp3"}});
    Jukebox& j = fx.start(db);
    MainWindow& w = fx.window();
    const LibraryTable& table = j.library().table();
    const QString m3u = fx.writeFile("mix.M3u", "#EXTM3U\r\n#EXTINF:5,Someone - Thing\r\nrel/thing.ogg\r\n\r\n");
    const QString saved = fx.dir.filePath("saved.VXPLAYLIST");
    QVERIFY(writePlaylistFile(saved, {libraryEntry(table, 1)}, table));
    shownPlaylist(w.playlist).append({entryOfText("already there")});
    w.playlist->setCurrentRow(0); // plays entry 1
    QCOMPARE(j.playlist().position(), 1);
    QVERIFY(!w.nextEntryButton->isEnabled());

    QMimeData mime;
    setFiles(mime, {"/music/z.mp3", m3u, "/music/a.mp3", saved});
    const DropAnswer answer = deliverDrop(w.playlist->viewport(), mime, FileManagerActions);

    const QStringList texts = JukeboxFixture::texts(w.playlist);
    QCOMPARE(texts.mid(0, 7), (QStringList{"already there", "/music/z.mp3", "#EXTM3U", "#EXTINF:5,Someone - Thing",
                                            "rel/thing.ogg", "", "/music/a.mp3"}));
    QCOMPARE(texts.size(), 8);
    QCOMPARE(shownPlaylist(w.playlist).entry(7).kind, EntryKind::Marked);
    QCOMPARE(markedPath(texts[7]), QStringView(u"/music/first.mp3"));
    // Never answered as a move: the file manager must not delete what it offered.
    QVERIFY(answer.enterAccepted);
    QVERIFY(answer.dropAccepted);
    QCOMPARE(answer.action, Qt::CopyAction);
    QCOMPARE(j.playlist().position(), 1);
    QVERIFY(w.nextEntryButton->isEnabled()); // the counter saw the new entries
    QCOMPARE(w.waitNotice->text(), QString("Adding files, please wait..."));
    QVERIFY(!w.playlist->isHidden());
}

void TestExternalDrops::linkOnlyTextDrop()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    QMimeData mime;
    mime.setText("http://radio.example/live");
    DropAnswer answer = deliverDrop(w.playlist->viewport(), mime, Qt::LinkAction);
    QCOMPARE(answer.action, Qt::LinkAction);
    answer = deliverDrop(w.playlist->viewport(), mime, Qt::CopyAction | Qt::LinkAction);
    QCOMPARE(JukeboxFixture::texts(w.playlist), QStringList{"http://radio.example/live"});
}

void TestExternalDrops::dropsIgnoredWhileThePlayerNoticeShows()
{
    // The CD wizard shows its instructions in the player notice.
    JukeboxFixture fx;
    Jukebox& j = fx.start();
    MainWindow& w = fx.window();
    w.waitNotice->setText("before");
    j.cdWizard().start();
    QVERIFY(!w.playerNotice->isHidden());
    QMimeData mime;
    setFiles(mime, {"/music/a.mp3"});
    deliverDrop(w.playlist->viewport(), mime, FileManagerActions);
    QCOMPARE(w.playlist->count(), 0);
    QCOMPARE(w.waitNotice->text(), QString("before"));

    j.cdWizard().close();
    QVERIFY(w.playerNotice->isHidden());
    deliverDrop(w.playlist->viewport(), mime, FileManagerActions);
    QCOMPARE(w.playlist->count(), 1);
}

void TestExternalDrops::inProgramDataPassesBy()
{
    // Data of a type only this program knows, with neither files nor text, is no drop from
    // another program.
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    w.waitNotice->setText("before");
    QMimeData mime;
    mime.setData("application/x-vexolin-private", "titleList");
    const DropAnswer answer = deliverDrop(w.playlist->viewport(), mime, Qt::CopyAction);
    QVERIFY(!answer.enterAccepted);
    QCOMPARE(w.playlist->count(), 0);
    QCOMPARE(w.waitNotice->text(), QString("before"));
}

void TestExternalDrops::badFilesEndTheDropKeepingWhatWasAdded()
{
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    QVERIFY(QDir(fx.dir.path()).mkdir("folder.m3u"));
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 131) % 256));
    const QString junk = fx.writeFile("junk.m3u", binary);
    const QString fine = fx.writeFile("fine.m3u", "x.mp3\ny.mp3\n"); // LF line ends
    const QString longLine = fx.writeFile("long.m3u", QByteArray(1 << 20, 'x'));
    const QString fifo = fx.dir.filePath("fifo.m3u");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString folder = fx.dir.filePath("folder.m3u");

    // Each bad file ends its drop with a message naming it; the test's timeout guards the FIFO.
    const QList<QPair<QString, QString>> bad{{longLine, ": a line is longer than 65536 characters"},
                                             {folder, ": is a directory"},
                                             {fifo, ": is not a regular file"}};
    // Of the junk's "lines", those holding a line feed (it ends lines at CR) are refused.
    const QStringList junkRead = playlistLines(binary);
    const qsizetype junkLines = junkRead.size() - junkRead.filter(QStringLiteral("\n")).size();
    for (const auto& [file, why] : bad) {
        shownPlaylist(w.playlist).clear();
        fx.messageBox.shown.clear();
        QMimeData mime;
        setFiles(mime, {junk, "/music/a.mp3", fine, file, "/music/b.mp3"});
        deliverDrop(w.playlist->viewport(), mime, FileManagerActions);
        const QStringList texts = JukeboxFixture::texts(w.playlist);
        QCOMPARE(texts.size(), junkLines + 3);
        QCOMPARE(texts.mid(junkLines), (QStringList{"/music/a.mp3", "x.mp3", "y.mp3"}));
        QCOMPARE(fx.messageBox.shown.size(), 2);
        QCOMPARE(fx.messageBox.shown[0].text, file + why);
        QVERIFY(fx.messageBox.shown[1].text.startsWith("Not added to the playlist:"));
    }
    QVERIFY(!w.playlist->isHidden());
}

// The cursor shows "drop allowed" exactly where the drop adds something, and one rule gives the
// action the cursor shows and the answer: a copy, else a link, never a move.
void TestExternalDrops::dragIsAllowedOnlyWhereTheDropIsTaken_data()
{
    QTest::addColumn<bool>("playlistFile");
    QTest::addColumn<int>("offered");
    QTest::addColumn<int>("answer"); // Qt::IgnoreAction: refused with the no-drop cursor
    QTest::newRow("move-only media file") << false << int(Qt::MoveAction) << int(Qt::IgnoreAction);
    QTest::newRow("copy-only media file") << false << int(Qt::CopyAction) << int(Qt::IgnoreAction);
    QTest::newRow("move-only M3U") << true << int(Qt::MoveAction) << int(Qt::IgnoreAction);
    QTest::newRow("copy or move M3U") << true << int(Qt::CopyAction | Qt::MoveAction) << int(Qt::CopyAction);
    QTest::newRow("move or link M3U") << true << int(Qt::MoveAction | Qt::LinkAction) << int(Qt::LinkAction);
    QTest::newRow("file manager media file") << false << int(FileManagerActions) << int(Qt::CopyAction);
}

void TestExternalDrops::dragIsAllowedOnlyWhereTheDropIsTaken()
{
    QFETCH(bool, playlistFile);
    QFETCH(int, offered);
    QFETCH(int, answer);
    JukeboxFixture fx;
    fx.start();
    MainWindow& w = fx.window();
    const QString file = playlistFile ? fx.writeFile("list.m3u", "a.mp3\r\n") : QStringLiteral("/music/a.mp3");
    QMimeData mime;
    setFiles(mime, {file});
    const DropAnswer given = deliverDrop(w.playlist->viewport(), mime, Qt::DropActions(offered));
    const bool taken = answer != Qt::IgnoreAction;
    QCOMPARE(given.enterAccepted, taken);
    QCOMPARE(given.dropAccepted, taken);
    // The source reads the action only from an accepted answer.
    if (taken) {
        QCOMPARE(int(given.enterAction), answer);
        QCOMPARE(int(given.action), answer);
    }
    QCOMPARE(w.playlist->count(), taken ? 1 : 0);
}

QTEST_MAIN(TestExternalDrops)
#include "tst_external_drops.moc"
