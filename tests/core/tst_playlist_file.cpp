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
    table.append(LibraryRecord::fromTexts(u"Band", u"Song\u00A0With Nbsp", u"Pop", u"/music/nbsp.mp3"));
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
    void textEntriesComeBackAsTheyWere_data();
    void textEntriesComeBackAsTheyWere();
    void readingAndSavingAgainGivesTheSameLines();
};

void TestPlaylistFile::readsLinesAsTheyStand_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("unterminated last line") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("LF-only file ends lines at LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("LF alone inside a CR LF file stays in its line")
        << QByteArray("a\nb\r\nc\r\n") << QStringList{"a\nb", "c"};
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
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("line");
    const int library = int(EntryKind::Library);
    const int plain = int(EntryKind::Plain);
    QTest::newRow("library entry")
        << libraryEntry(table, 1).text << library
        << "The Examples" + blanks(35) + "First Song" + blanks(80) + Marker + "C:\\music\\first.mp3";
    QTest::newRow("blank file: nothing after the marker")
        << libraryEntry(table, 2).text << library << "Nobody" + blanks(41) + "Silence" + blanks(80) + Marker;
    QTest::newRow("file trimmed")
        << libraryEntry(table, 3).text << library
        << "Web" + blanks(44) + "Stream" + blanks(80) + Marker + "http://radio.example/live";
    QTest::newRow("no-break space inside the title kept")
        << libraryEntry(table, 4).text << library
        << "Band" + blanks(43) + "Song" + NBSP + "With Nbsp" + blanks(80) + Marker + "/music/nbsp.mp3";
    QTest::newRow("URL unchanged") << "http://radio.example/live" << plain << "http://radio.example/live";
    const QString marked = "Somebody" + blanks(39) + "Song" + blanks(80) + Marker + "/m/song.mp3";
    QTest::newRow("marked entry unchanged") << marked << int(EntryKind::Marked) << marked;
    // Plain texts that look like library entries keep their text: no record's file replaces them.
    const QString codeOfRecord1 = QString(NBSP) + encodeRecordNumber(1) + NBSP;
    QTest::newRow("plain text ending in a record code")
        << "Some Artist" + blanks(36) + "Song" + codeOfRecord1 << plain << "Some Artist" + blanks(36) + "Song" + codeOfRecord1;
    QTest::newRow("plain name with NBSP unchanged")
        << QString("/music/Some") + NBSP + "Song.mp3" << plain << QString("/music/Some") + NBSP + "Song.mp3";
    QTest::newRow("library entry of a record not in the table unchanged")
        << "Gone" + blanks(43) + "Song" + NBSP + encodeRecordNumber(9) + NBSP << library
        << "Gone" + blanks(43) + "Song" + NBSP + encodeRecordNumber(9) + NBSP;
}

void TestPlaylistFile::writesLibraryEntriesAsMarkedLines()
{
    QFETCH(QString, entry);
    QFETCH(int, kind);
    QFETCH(QString, line);
    const LibraryTable table = exampleTable();
    const PlaylistEntry e{entry, EntryKind(kind)};
    QCOMPARE(playlistLine(e, table), line);
    QCOMPARE(playlistFileBytes({e, e}, table), (line + "\r\n" + line + "\r\n").toUtf8());
}

// A text that enters the playlist from outside keeps its kind, its text and its file through a
// save and an open, wherever a no-break space stands in it and however long it is.
void TestPlaylistFile::textEntriesComeBackAsTheyWere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    const QString nbspName = QStringLiteral("/music/Titre") + NBSP + QString::fromUtf8(": \u00c7a va, tr\u00e8s") + NBSP
                             + "bien.mp3";
    QTest::newRow("no-break spaces in a file name") << nbspName << int(EntryKind::Plain) << nbspName;
    const QString longWithCode = "/music/" + QString(60, 'x') + NBSP + encodeRecordNumber(1) + NBSP + ".mp3";
    QTest::newRow("a long path holding a record code") << longWithCode << int(EntryKind::Plain) << longWithCode;
    const QString leading = QString(NBSP) + encodeRecordNumber(2) + NBSP;
    QTest::newRow("leading record code") << leading << int(EntryKind::Plain) << leading;
    const QString marked = "Shown" + blanks(80) + Marker + "/m/" + NBSP + "x.mp3";
    QTest::newRow("marked entry") << marked << int(EntryKind::Marked) << "/m/" + QString(NBSP) + "x.mp3";
    QTest::newRow("marker first is plain") << Marker + "/m/a.mp3" << int(EntryKind::Plain) << Marker + "/m/a.mp3";
}

void TestPlaylistFile::textEntriesComeBackAsTheyWere()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QString, file);
    const LibraryTable table = exampleTable();
    const PlaylistEntry entry = entryOfText(text);
    QCOMPARE(int(entry.kind), kind);
    QCOMPARE(fileOfEntry(entry, table), file);
    QTemporaryDir dir;
    const QString path = dir.filePath("list.vxplaylist");
    QVERIFY(writePlaylistFile(path, {entry}, table));
    const PlaylistFileRead read = readPlaylistFile(path);
    QVERIFY(read.ok());
    QCOMPARE(entriesOfTexts(read.lines), QList<PlaylistEntry>{entry});
    QCOMPARE(fileOfEntry(entryOfText(read.lines.value(0)), table), file);
}

void TestPlaylistFile::readingAndSavingAgainGivesTheSameLines()
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.vxplaylist");
    const QString second = dir.filePath("second.vxplaylist");
    const LibraryTable table = exampleTable();
    const QList<PlaylistEntry> entries = {libraryEntry(table, 1), entryOfText(""), entryOfText("  "),
                                          entryOfText("x\ny"), entryOfText("#EXTM3U"), libraryEntry(table, 3)};
    QVERIFY(writePlaylistFile(first, entries, table));

    QStringList lines = readPlaylistFile(first).lines;
    QCOMPARE(lines.size(), 6);
    QVERIFY(writePlaylistFile(second, entriesOfTexts(lines), table));
    QCOMPARE(fileBytes(second), fileBytes(first));

    // A last line without an ending gains one.
    QFile f(first);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("one\r\ntwo");
    f.close();
    lines = readPlaylistFile(first).lines;
    QVERIFY(writePlaylistFile(second, entriesOfTexts(lines), table));
    QCOMPARE(fileBytes(second), QByteArray("one\r\ntwo\r\n"));
}

QTEST_APPLESS_MAIN(TestPlaylistFile)
#include "tst_playlist_file.moc"
