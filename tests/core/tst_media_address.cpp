#include "core/MediaAddress.h"
#include "core/PlaylistNesting.h"

#include <QTest>

class TestMediaAddress : public QObject
{
    Q_OBJECT

private slots:
    void handsThePlayerFilesAndStreamsOnly_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("handed");
        QTest::newRow("absolute path") << "/music/a.mp3" << "/music/a.mp3";
        QTest::newRow("relative path") << "music/a.mp3" << "/base/music/a.mp3";
        QTest::newRow("colon in a file name") << "x:y.mp3" << "/base/x:y.mp3";
        QTest::newRow("scheme after a folder") << "dir/fd://3" << "/base/dir/fd://3";
        QTest::newRow("blank before a scheme") << " fd://3" << "/base/ fd://3";
        QTest::newRow("digit first is no scheme") << "3fd://3" << "/base/3fd://3";
        QTest::newRow("dash is a file, not standard input") << "-" << "/base/-";
        QTest::newRow("file URL") << "file:///music/a%20b.mp3" << "/music/a b.mp3";
        QTest::newRow("file URL, upper case") << "FILE:///music/a.mp3" << "/music/a.mp3";
        QTest::newRow("file URL of dash") << "file://-" << "/base/-";
        QTest::newRow("file URL of fd form") << "file://fd%3A%2F%2F3" << "/base/fd://3";
        QTest::newRow("file URL, empty") << "file://" << "";
        QTest::newRow("file without slashes is a file") << "file:a.mp3" << "/base/file:a.mp3";
        QTest::newRow("http") << "http://radio.example/live" << "http://radio.example/live";
        QTest::newRow("HTTPS") << "HTTPS://radio.example/live" << "HTTPS://radio.example/live";
        QTest::newRow("ftp") << "ftp://host/a.ogg" << "ftp://host/a.ogg";
        QTest::newRow("mms") << "mms://host/s" << "mms://host/s";
        QTest::newRow("mmsh") << "mmsh://host/s" << "mmsh://host/s";
        QTest::newRow("rtsp") << "rtsp://host/s" << "rtsp://host/s";
        QTest::newRow("rtmp") << "rtmp://host/s" << "rtmp://host/s";
        for (const char* refused : {"fd://3", "fdclose://3", "FdClose://3", "memory://data", "lavf://file:/etc/passwd",
                                    "ffmpeg://pipe:3", "av://lavfi:sine", "avdevice://x", "edl://a;b", "mf://*.jpg",
                                    "null://", "slice://0-1@/a", "subfile://a", "appending:///a", "ytdl://x", "bd://",
                                    "dvd://", "cdda://", "smb://host/a", "udp://host:1", "rtmps://host/s", "hex://00",
                                    "data://x", "x-y.z+w://a"})
            QTest::newRow(refused) << refused << "";
        QTest::newRow("empty") << "" << "";
    }
    void handsThePlayerFilesAndStreamsOnly()
    {
        QFETCH(QString, address);
        QFETCH(QString, handed);
        QCOMPARE(playerAddress(address, "/base"), handed);
        if (!handed.isEmpty())
            QVERIFY(addressKind(address) != AddressKind::Refused);
    }

    void entriesNamingNoMedia_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("noMedia");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("blanks") << "   " << true;
        QTest::newRow("header") << "#EXTM3U" << true;
        QTest::newRow("info") << "#EXTINF:123,Artist - Title" << true;
        QTest::newRow("file") << "/music/a.mp3" << false;
        QTest::newRow("hash inside") << "/music/#1.mp3" << false;
        QTest::newRow("blank then hash") << " #EXTINF" << false;
    }
    void entriesNamingNoMedia()
    {
        QFETCH(QString, entry);
        QFETCH(bool, noMedia);
        QCOMPARE(namesNoMedia(entry), noMedia);
    }

    void nestingEndsAtSelfInclusionAndDepth()
    {
        PlaylistNesting nesting;
        QCOMPARE(nesting.loading(1, "/m/a.m3u"), PlaylistNesting::Verdict::Load);
        nesting.expanded(1, 2, 2);  // a.m3u: b.m3u, a.m3u
        QCOMPARE(nesting.loading(2, "/m/b.m3u"), PlaylistNesting::Verdict::Load);
        nesting.expanded(2, 4, 1);  // b.m3u: ./a.m3u
        QCOMPARE(nesting.loading(4, "/m/./a.m3u"), PlaylistNesting::Verdict::IncludesItself);
        QCOMPARE(nesting.loading(3, "/m/a.m3u"), PlaylistNesting::Verdict::IncludesItself);

        // A chain of distinct playlists: the media at the end may lie MaxDepth playlists deep.
        nesting.clear();
        qint64 id = 10;
        for (int level = 0; level < PlaylistNesting::MaxDepth; ++level, ++id) {
            QCOMPARE(nesting.loading(id, QString("/m/%1.m3u").arg(level)), PlaylistNesting::Verdict::Load);
            nesting.expanded(id, id + 1, 1);
        }
        QCOMPARE(nesting.loading(id, "/m/media.wav"), PlaylistNesting::Verdict::Load);
        nesting.expanded(id, id + 1, 1);
        QCOMPARE(nesting.loading(id + 1, "/m/media.wav"), PlaylistNesting::Verdict::IncludesItself);
        QCOMPARE(nesting.loading(id + 1, "/m/other.wav"), PlaylistNesting::Verdict::TooDeep);

        // Numbers that do not grow are not taken for a nesting.
        nesting.clear();
        nesting.expanded(5, 5, 1);
        nesting.expanded(5, 3, 1);
        QCOMPARE(nesting.loading(5, "/m/a.m3u"), PlaylistNesting::Verdict::Load);
        QCOMPARE(nesting.loading(3, "/m/a.m3u"), PlaylistNesting::Verdict::Load);
    }
};

QTEST_APPLESS_MAIN(TestMediaAddress)
#include "tst_media_address.moc"
