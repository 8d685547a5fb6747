#include "core/DatabaseFile.h"
#include "core/DatabaseFormat.h"
#include "core/TextLines.h"

#include <QTest>

class TestDatabaseFormat : public QObject
{
    Q_OBJECT
private slots:
    void lineRule_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF ends lines") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lone LF does not") << QByteArray("a\nb\r\n") << QStringList{"a\nb"};
        QTest::newRow("lone CR does") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("last line without ending") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"};
        QTest::newRow("nothing trimmed") << QByteArray("  a  \r\n") << QStringList{"  a  "};
        QTest::newRow("byte-order mark at file start skipped") << QByteArray("\xEF\xBB\xBF" "a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << QStringList();
        QTest::newRow("second mark is text") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << QStringList{QString(QChar(0xFEFF))};
        QTest::newRow("mark on a later line is text") << QByteArray("a\r\xEF\xBB\xBF") << QStringList{"a", QString(QChar(0xFEFF))};
        QTest::newRow("NUL bytes kept") << QByteArray("a\0b\r\n", 5) << QStringList{QString("a") + QChar(0) + "b"};
    }
    void lineRule()
    {
        QFETCH(QByteArray, data);
        QFETCH(QStringList, lines);
        QStringList got;
        for (QByteArrayView line : splitLines(data))
            got.append(decodeLine(line));
        QCOMPARE(got, lines);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Abba") << "Abba";
        QTest::newRow("utf-8") << QByteArray("Bj\xc3\xb6rk") << QString::fromUtf8("Bj\xc3\xb6rk");
        QTest::newRow("windows-1252") << QByteArray("Bj\xf6rk \x80") << QString::fromUtf8("Bj\xc3\xb6rk \xe2\x82\xac");
        QTest::newRow("1252 no-break space") << QByteArray("a\xa0") << QString("a") + QChar(0xA0);
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeLine(bytes), text);
    }

    void recordsAreFourLinesAtFixedWidths()
    {
        const QByteArray data = "Some Artist\r\nA Title\r\nRock\r\n/music/a.mp3\r\n"
                                "B\r\n" + QByteArray(50, 't') + "\r\n\r\nhttp://x/y\r\n";
        const DatabaseContents c = parseDatabase(data, "/db/x.VxDatabase");
        QVERIFY(c.withinCapacity && c.leftOverLines.isEmpty());
        QCOMPARE(c.recordBytes, data.size());
        QCOMPARE(int(c.records.size()), 2);
        LibraryTable table;
        for (const LibraryRecord& r : c.records)
            QVERIFY(table.append(r));
        QCOMPARE(table.paddedArtist(1), QString("Some Artist").leftJustified(40));
        QCOMPARE(table.paddedGenre(1), QString("Rock").leftJustified(20));
        QCOMPARE(table.paddedFile(1), QString("/music/a.mp3").leftJustified(255));
        QCOMPARE(table.paddedTitle(2), QString(40, 't'));
        QCOMPARE(table.paddedGenre(2), QString(20, ' '));
    }

    void incompleteOrOverfullFiles_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("leftOver");
        QTest::addColumn<bool>("withinCapacity");
        QTest::newRow("empty") << 0 << 0 << 0 << true;
        QTest::newRow("one record") << 4 << 1 << 0 << true;
        QTest::newRow("last record has two lines") << 10 << 2 << 2 << true;
        QTest::newRow("one stray line") << 1 << 0 << 1 << true;
        QTest::newRow("exactly full") << 4 * LibraryCapacity << LibraryCapacity << 0 << true;
        QTest::newRow("one record too many") << 4 * (LibraryCapacity + 1) << LibraryCapacity << 0 << false;
    }
    void incompleteOrOverfullFiles()
    {
        QFETCH(int, lines);
        QFETCH(int, records);
        QFETCH(int, leftOver);
        QFETCH(bool, withinCapacity);
        QByteArray data;
        for (int i = 0; i < lines; ++i)
            data += "x" + QByteArray::number(i) + "\r\n";
        const DatabaseContents c = parseDatabase(data, "/db/x.VxDatabase");
        QCOMPARE(int(c.records.size()), records);
        QCOMPARE(c.withinCapacity, withinCapacity);
        QCOMPARE(int(c.leftOverLines.size()), leftOver);
        if (leftOver > 0)
            QCOMPARE(c.leftOverLines.first(), "x" + QString::number(records * 4));
        // Whole records end after the last whole record's line ending.
        QCOMPARE(data.left(c.recordBytes).count('\n'), records * 4);
    }

    // A rewrite writes each record's lines as they were read: portable "#:" paths, paths past
    // 255 characters, long artists and blanks stay as the file held them.
    void recordsReadAreWrittenAsRead()
    {
        const QString longPath = "/music/" + QString(300, 'p') + ".mp3";
        const QByteArray data = QByteArray(" Artist ") + QByteArray(45, 'a') + "\r\nTitle \r\nPop\r\n#:\\mediafiles\\a.mp3\r\n"
                                + "B\r\nT\r\nG\r\n" + longPath.toUtf8() + "\r\n";
        const DatabaseContents c = parseDatabase(data, "/cd/disc.VxDatabase");
        QCOMPARE(int(c.records.size()), 2);
        QCOMPARE(c.records[0].file, QString("/cd/mediafiles/a.mp3"));
        QCOMPARE(c.records[0].artist.size(), ArtistWidth);
        QCOMPARE(c.records[1].file, longPath); // kept whole in the table
        QByteArray written;
        for (const LibraryRecord& r : c.records)
            written += formatRecord(r);
        QCOMPARE(written, data);
    }

    // Records whose artist or genre lines hold the same bytes share one string; lines whose bytes
    // differ keep their own, whatever text they show, and every line is written back as read.
    void sharedLinesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArrayList>("lines"); // each record's artist and genre line
        QTest::newRow("ASCII") << QByteArrayList{"Abba", "abba", "Abba", "Abb", "Abba!", "Abba"};
        QTest::newRow("one text in UTF-8 and in Windows-1252")
            << QByteArrayList{"Bj\xc3\xb6rk", "Bj\xf6rk", "Bj\xc3\xb6rk", "Bj\xf6rk"};
        QTest::newRow("one length, ASCII or not") << QByteArrayList{"Bjork", "Bj\xf6rk", "Bjork", "Bj\xf6rk"};
        QTest::newRow("empty, and texts alike at both ends")
            << QByteArrayList{"", "Track 01 of 20", "", "Track 02 of 20", "Track 01 of 20", "Track 01 of 2"};
    }
    void sharedLinesKeepTheirBytes()
    {
        QFETCH(QByteArrayList, lines);
        QByteArray data;
        for (const QByteArray& line : lines)
            data += line + "\r\nTitle\r\n" + line + "\r\n/m/a.mp3\r\n";
        const DatabaseContents c = parseDatabase(data, "/db/x.VxDatabase");
        QCOMPARE(qsizetype(c.records.size()), lines.size());
        QByteArray written;
        for (const LibraryRecord& r : c.records)
            written += formatRecord(r, c.style);
        QCOMPARE(written, data);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            for (qsizetype j = 0; j < lines.size(); ++j) {
                const bool same = lines[i] == lines[j];
                QCOMPARE(c.records[size_t(i)].artist.constData() == c.records[size_t(j)].artist.constData(), same);
                QCOMPARE(c.records[size_t(i)].genre.constData() == c.records[size_t(j)].genre.constData(), same);
            }
        }
    }

    void storedPaths_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("relative to the database's folder")
            << "#:/mediafiles/a.mp3" << "/media/cd/disc.VxDatabase" << "/media/cd/mediafiles/a.mp3";
        QTest::newRow("backslashes read as slashes")
            << "#:\\cdset\\mediafiles\\song.mp3" << "/mnt/e/disc.VxDatabase" << "/mnt/e/cdset/mediafiles/song.mp3";
        QTest::newRow("drive letter rule") << "#:\\mediafiles\\a.mp3" << "D:\\x.VxDatabase" << "D:\\mediafiles\\a.mp3";
        QTest::newRow("network path keeps its backslash")
            << "#x\\a.mp3" << "\\\\server\\x.VxDatabase" << "\\x\\a.mp3";
        QTest::newRow("# elsewhere means nothing") << "/music/#1.mp3" << "/db/x.VxDatabase" << "/music/#1.mp3";
    }
    void storedPaths()
    {
        QFETCH(QString, stored);
        QFETCH(QString, database);
        QFETCH(QString, resolved);
        QCOMPARE(resolveStoredPath(stored, database), resolved);
    }

    void loadedFileFieldKeepsLongResolvedPath()
    {
        const QString longName = QString(250, 'n');
        const QByteArray data = "a\r\nt\r\ng\r\n#:/" + longName.toUtf8() + "\r\n";
        const DatabaseContents c = parseDatabase(data, "/some/folder/db.VxDatabase");
        LibraryTable table;
        QVERIFY(table.append(c.records[0]));
        QCOMPARE(table.paddedFile(1), "/some/folder/" + longName);
    }

    // A record made in the program is written trimmed; its file path is kept whole.
    void recordsAreWrittenTrimmedWithCrLf()
    {
        const QString longPath = "/music/" + QString(300, 'q') + ".mp3";
        const LibraryRecord made = LibraryRecord::fromTexts(u"Abba", u"Waterloo", u"Pop", longPath);
        QCOMPARE(formatRecord(made), QByteArray("Abba\r\nWaterloo\r\nPop\r\n") + longPath.toUtf8() + "\r\n");
        const LibraryRecord r = LibraryRecord::fromTexts(u" Abba ", u"Waterloo", u"Pop", u"/m/w.mp3");
        QCOMPARE(formatRecord(r), QByteArray("Abba\r\nWaterloo\r\nPop\r\n/m/w.mp3\r\n"));
    }

    // A first artist that starts with U+FEFF reads back whole after an append to an empty file
    // and after a rewrite, although readers skip the byte-order mark at a file's start.
    void leadingNoBreakMarkSurvivesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Mark.VxDatabase");
        const QString artist = QChar(0xFEFF) + QString("Artist");
        LibraryTable table;
        QVERIFY(table.append(LibraryRecord::fromTexts(artist, u"One", u"Pop", u"/m/1.mp3")));
        QVERIFY(table.append(LibraryRecord::fromTexts(artist, u"Two", u"Pop", u"/m/2.mp3")));
        FileStamp stamp;
        QVERIFY(createEmptyFile(path, nullptr, &stamp));
        DatabaseFile file;
        file.open(path, stamp);
        QVERIFY(file.append(table.record(1)));
        QVERIFY(file.append(table.record(2)));
        for (const char* stage : {"appended", "rewritten"}) {
            QFile read(path);
            QVERIFY(read.open(QIODevice::ReadOnly));
            const DatabaseContents c = parseDatabase(read.readAll(), path);
            QCOMPARE(int(c.records.size()), 2);
            for (const LibraryRecord& r : c.records)
                QVERIFY2(r.artist.startsWith(artist), stage);
            QVERIFY(file.rewrite(table));
        }
    }
};

QTEST_APPLESS_MAIN(TestDatabaseFormat)
#include "tst_database_format.moc"
