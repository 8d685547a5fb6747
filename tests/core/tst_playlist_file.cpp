// Reading and writing playlist and M3U files.
#include "core/LibraryTable.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"
#include "core/RecordCode.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

// The bytes of a file, or "<unreadable>" when it cannot be read.
QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestPlaylistFile : public QObject
{
    Q_OBJECT
private slots:
    void readsLinesAsTheyStand_data();
    void readsLinesAsTheyStand();
    void unfinishedReadLeavesOutTheLastLine();
    void writesLibraryEntriesAsMarkedLines_data();
    void writesLibraryEntriesAsMarkedLines();
    void readingAndSavingAgainGivesTheSameLines();
};

void TestPlaylistFile::readsLinesAsTheyStand_data()
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

void TestPlaylistFile::readsLinesAsTheyStand()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QCOMPARE(playlistLines(bytes), entries);
}

void TestPlaylistFile::unfinishedReadLeavesOutTheLastLine()
{
    QCOMPARE(playlistLines("a\r\nb\r\npart", false), (QStringList{"a", "b"}));
    QCOMPARE(playlistLines("a\r\nb\r\n", false), (QStringList{"a", "b"}));
    QCOMPARE(playlistLines("a\r\nb\r\npart", true), (QStringList{"a", "b", "part"}));
}

void TestPlaylistFile::writesLibraryEntriesAsMarkedLines_data()
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

void TestPlaylistFile::writesLibraryEntriesAsMarkedLines()
{
    QFETCH(QString, entry);
    QFETCH(QString, line);
    const LibraryTable table = exampleTable();
    QCOMPARE(playlistLine(entry, table), line);
    QCOMPARE(playlistFileBytes({entry, entry}, table), (line + "\r\n" + line + "\r\n").toUtf8());
}

void TestPlaylistFile::readingAndSavingAgainGivesTheSameLines()
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

QTEST_APPLESS_MAIN(TestPlaylistFile)
#include "tst_playlist_file.moc"
