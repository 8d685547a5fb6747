// What the desktop's media widgets are told about an opened playlist entry.
#include "core/LibraryTable.h"
#include "core/MediaDescription.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"

#include <QDir>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(PlaylistEntry)

namespace {

LibraryTable exampleTable()
{
    LibraryTable table;
    table.append(LibraryRecord::fromTexts(u"  The Examples", u"First Song  ", u"Pop", u"/media/first song.wav"));
    table.append(LibraryRecord::fromTexts(u"Web", u"Stream", u"Radio", u"  http://radio.example/live  "));
    return table;
}

QString fileUrl(const QString& absolutePath)
{
    return QUrl::fromLocalFile(absolutePath).toString(QUrl::FullyEncoded);
}

} // namespace

class TestMediaDescription : public QObject
{
    Q_OBJECT
private slots:
    void describesEachKindOfEntry_data()
    {
        QTest::addColumn<PlaylistEntry>("entry");
        QTest::addColumn<bool>("described");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("url");

        const LibraryTable table = exampleTable();
        QTest::newRow("library entry: its record, trimmed")
            << libraryEntry(table, 1) << true << "First Song" << "The Examples" << "file:///media/first%20song.wav";
        QTest::newRow("library entry of a URL record") << libraryEntry(table, 2) << true << "Stream" << "Web"
                                                       << "http://radio.example/live";
        QTest::newRow("library entry of a record past the table")
            << PlaylistEntry{codedEntry(QString(47, QChar(' ')) + "Gone", 9), EntryKind::Library} << false << ""
            << "" << "";
        QTest::newRow("marked entry: the file name, no artist")
            << markedEntry(u"The Examples       First Song", u"/saved/a b.wav") << true << "a b.wav" << ""
            << "file:///saved/a%20b.wav";
        QTest::newRow("marked URL") << markedEntry(u"x", u"http://radio.example/live/stream.mp3") << true
                                    << "stream.mp3" << "" << "http://radio.example/live/stream.mp3";
        QTest::newRow("URL without a file name") << entryOfText("http://radio.example/") << true << "http://radio.example/" << ""
                                                 << "http://radio.example/";
        QTest::newRow("plain path") << entryOfText("/home/me/b.mp3") << true << "b.mp3" << "" << "file:///home/me/b.mp3";
        QTest::newRow("plain file URL") << entryOfText("file:///home/me/c%20d.mp3") << true << "c d.mp3" << ""
                                        << "file:///home/me/c%20d.mp3";
        QTest::newRow("relative path: from the current directory")
            << entryOfText("music/e.mp3") << true << "e.mp3" << "" << fileUrl(QDir::current().filePath("music/e.mp3"));
        QTest::newRow("backslash path of an old playlist")
            << entryOfText("C:\\Music\\f.mp3") << true << "f.mp3" << "" << fileUrl(QDir::current().filePath("C:\\Music\\f.mp3"));
        QTest::newRow("empty entry opens nothing") << entryOfText("") << false << "" << "" << "";
    }
    void describesEachKindOfEntry()
    {
        QFETCH(PlaylistEntry, entry);
        QFETCH(bool, described);
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, url);
        const std::optional<MediaDescription> description = describeEntry(entry, exampleTable());
        QCOMPARE(description.has_value(), described);
        if (!described)
            return;
        QCOMPARE(description->title, title);
        QCOMPARE(description->artist, artist);
        QCOMPARE(description->url, url);
    }
};

QTEST_GUILESS_MAIN(TestMediaDescription)
#include "tst_media_description.moc"
