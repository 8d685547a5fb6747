// What drops from other programs bring to the playlist.
#include "core/DroppedFiles.h"
#include "core/PlaylistFile.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

// Playlist and M3U files as the drop handling sees them, without touching the disk.
PlaylistFileRead fakeRead(const QString& path)
{
    if (path == "list.M3U")
        return {{"#EXTM3U", "a.mp3", ""}, 0, {}};
    if (path == "saved.VxPlayList")
        return {{"marked line"}, 0, {}};
    if (path == "long.m3u")
        return {{"kept"}, 5, {}}; // five lines past what a playlist holds
    if (path == "bad.m3u")
        return {{"first"}, 0, "bad.m3u: unreadable"}; // read before the failure
    return {{}, 0, path + ": gone"};
}

// What a file manager offers for files: copy, move and link.
constexpr int FileManagerActions = int(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);

} // namespace

class TestDroppedFiles : public QObject
{
    Q_OBJECT
private slots:
    void entriesOfADrop_data();
    void entriesOfADrop();
    void dataOfAQtDrop();
    void takesOnlyDropsFromOtherPrograms_data();
    void takesOnlyDropsFromOtherPrograms();
};

void TestDroppedFiles::entriesOfADrop_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("hasText");
    QTest::addColumn<int>("effect");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("leftOut"); // lines the reader counted but did not keep
    const QStringList none;
    const int all = 1000;
    QTest::newRow("file manager: files in order") << QStringList{"z.mp3", "a.mp3", "m.avi"} << false << 7 << all
                                                  << QStringList{"z.mp3", "a.mp3", "m.avi"} << 0;
    QTest::newRow("copy only: media skipped") << QStringList{"a.mp3"} << false << 1 << all << none << 0;
    QTest::newRow("copy and move: media skipped") << QStringList{"a.mp3"} << false << 3 << all << none << 0;
    QTest::newRow("M3U lines, its name not added")
        << QStringList{"x.mp3", "list.M3U", "y.mp3"} << false << 7 << all
        << QStringList{"x.mp3", "#EXTM3U", "a.mp3", "", "y.mp3"} << 0;
    QTest::newRow("playlist file with copy only") << QStringList{"saved.VxPlayList"} << false << 1 << all
                                                  << QStringList{"marked line"} << 0;
    QTest::newRow("m3u8 and database are media") << QStringList{"radio.m3u8", "lib.VxDatabase"} << false << 7
                                                 << all << QStringList{"radio.m3u8", "lib.VxDatabase"} << 0;
    QTest::newRow("link-only text") << none << true << 4 << all << QStringList{"T"} << 0;
    QTest::newRow("text with copy") << none << true << 1 << all << none << 0;
    QTest::newRow("text with file manager") << none << true << 7 << all << none << 0;
    QTest::newRow("link-only text before every pass")
        << QStringList{"a.mp3", "list.M3U"} << true << 4 << all
        << QStringList{"T", "T", "#EXTM3U", "a.mp3", "", "T"} << 0;
    QTest::newRow("link-only without text ends at once") << QStringList{"list.M3U"} << false << 4 << all << none << 0;
    QTest::newRow("unreadable file ends the drop")
        << QStringList{"a.mp3", "bad.m3u", "c.mp3"} << false << 7 << all << QStringList{"a.mp3", "first"} << 0;
    QTest::newRow("vanished file ends the drop")
        << QStringList{"a.mp3", "gone.m3u", "c.mp3"} << false << 7 << all << QStringList{"a.mp3"} << 0;
    QTest::newRow("full playlist") << QStringList{"a", "b", "c"} << false << 7 << 2 << QStringList{"a", "b"} << 0;
    QTest::newRow("full inside an M3U") << QStringList{"list.M3U", "b"} << false << 7 << 2
                                        << QStringList{"#EXTM3U", "a.mp3"} << 0;
    QTest::newRow("move only: a playlist file refused") << QStringList{"list.M3U"} << false << 2 << all << none << 0;
    QTest::newRow("lines past a full file counted")
        << QStringList{"long.m3u", "a.mp3", "long.m3u"} << false << 7 << all << QStringList{"kept", "a.mp3", "kept"} << 10;
    QTest::newRow("no room") << QStringList{"a"} << true << 4 << 0 << none << 0;
}

void TestDroppedFiles::entriesOfADrop()
{
    QFETCH(QStringList, files);
    QFETCH(bool, hasText);
    QFETCH(int, effect);
    QFETCH(int, room);
    QFETCH(QStringList, entries);
    QFETCH(int, leftOut);
    DroppedData drop{files, hasText ? std::optional<QString>("T") : std::nullopt, effect};
    qsizetype counted = -1;
    QString problem;
    QCOMPARE(droppedEntries(drop, room, fakeRead, &problem, &counted), entries);
    QCOMPARE(counted, leftOut);
    QCOMPARE(problem.isEmpty(), !files.contains("bad.m3u") && !files.contains("gone.m3u"));
}

void TestDroppedFiles::dataOfAQtDrop()
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/music/b.mp3"), QUrl("http://radio.example/live"),
                  QUrl::fromLocalFile("/music/a b.M3U")});
    DroppedData drop = droppedData(mime, FileManagerActions | int(Qt::TargetMoveAction));
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

void TestDroppedFiles::takesOnlyDropsFromOtherPrograms_data()
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

void TestDroppedFiles::takesOnlyDropsFromOtherPrograms()
{
    QFETCH(QString, kind);
    QFETCH(bool, fromInside);
    QFETCH(bool, taken);
    QMimeData mime;
    if (kind == "files")
        mime.setUrls({QUrl::fromLocalFile("/music/a.mp3")});
    else if (kind == "text")
        mime.setText("words");
    else if (kind == "utf8 text")
        mime.setData("text/plain;charset=utf-8", "caf\xc3\xa9");
    else if (kind == "web")
        mime.setUrls({QUrl("http://radio.example/live")});
    else
        mime.setData("application/x-vexolin-library-entry", "titleList");
    QObject inside;
    QCOMPARE(isExternalDrop(&mime, fromInside ? &inside : nullptr), taken);
}

QTEST_APPLESS_MAIN(TestDroppedFiles)
#include "tst_dropped_files.moc"
