// Importing a folder: naming records from tags and file names, the walk for media files, and the
// job that leaves out known files, keeps to the room left and can be cancelled; the one append
// that stores the records.
#include "../support/ActingAsNobody.h"
#include "../support/FakeTagReader.h"
#include "core/FolderImportJob.h"
#include "core/ImportNaming.h"
#include "core/Library.h"
#include "core/MediaFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The start of a WAV file, which tells its kind without an extension.
const QByteArray WaveStart = QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) + QByteArray(64, '\0');

QStringList walked(const QString& folder, QStringList* problems = nullptr)
{
    QStringList found;
    const QStringList unread = walkMediaFiles(folder, {.mediaFound = [&found](const QString& p) { found.append(p); }});
    if (problems)
        *problems = unread;
    return found;
}

} // namespace

class TestFolderImport : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString root() const { return dir->path(); }
    QString write(const QString& name, const QByteArray& bytes = "sound")
    {
        const QString path = dir->filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    FolderImportJob::Result runJob(const FakeTagReader& reader, FolderImportJob::Settings settings)
    {
        FolderImportJob job(reader, std::move(settings));
        job.run();
        return job.takeResult();
    }
    static QStringList filesOf(const std::vector<LibraryRecord>& records)
    {
        QStringList files;
        for (const LibraryRecord& r : records)
            files.append(r.file);
        return files;
    }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }

    void naming_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("tags"); // artist, title, genre
        QTest::addColumn<QString>("givenGenre");
        QTest::addColumn<QStringList>("record"); // artist, title, genre
        QTest::addColumn<bool>("fromFileName");

        const QString long50 = QString(50, u'x');
        QTest::newRow("every tag") << "/m/Folder/file.mp3" << QStringList{"Abba", "Waterloo", "Pop"} << "Jazz"
                                   << QStringList{"Abba", "Waterloo", "Pop"} << false;
        QTest::newRow("no tags, Artist - Title") << "/m/Folder/Abba - Waterloo.mp3" << QStringList{"", "", ""}
                                                 << "Jazz" << QStringList{"Abba", "Waterloo", "Jazz"} << true;
        QTest::newRow("split at the first dash") << "/m/F/A - B - C.ogg" << QStringList{"", "", ""} << "Jazz"
                                                 << QStringList{"A", "B - C", "Jazz"} << true;
        QTest::newRow("no tags, plain name") << "/m/Some Band/01 Song.flac" << QStringList{"", "", ""} << "Jazz"
                                             << QStringList{"Some Band", "01 Song", "Jazz"} << true;
        QTest::newRow("dash without an artist") << "/m/Band/ - Song.mp3" << QStringList{"", "", ""} << "Jazz"
                                                << QStringList{"Band", "- Song", "Jazz"} << true;
        QTest::newRow("only the last extension goes") << "/m/Band/live.2001.mp3" << QStringList{"", "", ""} << ""
                                                      << QStringList{"Band", "live.2001", "Unknown"} << true;
        QTest::newRow("title tag, artist from the name")
            << "/m/Band/Abba - Waterloo.mp3" << QStringList{"", "Tagged", ""} << "Jazz"
            << QStringList{"Abba", "Tagged", "Jazz"} << true;
        QTest::newRow("artist tag, title from the folder rule")
            << "/m/Band/track.mp3" << QStringList{"Tagged", " ", "Rock"} << "Jazz"
            << QStringList{"Tagged", "track", "Rock"} << true;
        QTest::newRow("blank given genre is Unknown") << "/m/a/x.mp3" << QStringList{"A", "T", "  "} << "   "
                                                      << QStringList{"A", "T", "Unknown"} << false;
        QTest::newRow("tags trimmed, line breaks blanked")
            << "/m/a/x.mp3" << QStringList{"  Two\nLines ", "\tTitle\r", " Pop "} << "Jazz"
            << QStringList{"Two Lines", "Title", "Pop"} << false;
        QTest::newRow("cut to the widths") << "/m/a/x.mp3" << QStringList{long50, long50, long50} << "Jazz"
                                           << QStringList{long50.left(40), long50.left(40), long50.left(20)}
                                           << false;
        QTest::newRow("cut leaves no trailing blank")
            << "/m/a/x.mp3" << QStringList{QString(39, u'a') + " b", "T", QString(19, u'g') + " h"} << ""
            << QStringList{QString(39, u'a'), "T", QString(19, u'g')} << false;
        QTest::newRow("file at the top") << "/song.mp3" << QStringList{"", "", ""} << "Jazz"
                                         << QStringList{"Unknown", "song", "Jazz"} << true;
    }
    void naming()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, tags);
        QFETCH(QString, givenGenre);
        QFETCH(QStringList, record);
        QFETCH(bool, fromFileName);
        const NamedRecord named = recordOfMediaFile(path, {tags[0], tags[1], tags[2]}, givenGenre);
        QCOMPARE((QStringList{named.record.artist, named.record.title, named.record.genre}), record);
        QCOMPARE(named.record.file, path);
        QCOMPARE(named.namedFromFileName, fromFileName);
    }

    void walkFindsMediaInPathOrder()
    {
        const QString b2 = write("b/2.mp3");
        const QString b10 = write("b/10.MP3");
        const QString a = write("A.ogg");
        const QString deep = write("b/c/d/deep.flac");
        const QString bFile = write("b.wav");
        const QString noExtension = write("b/c/sound", WaveStart);
        for (const char* other : {"cover.jpg", "b/list.m3u", "b/notes.txt", "b/c/noext", ".hidden/x.mp3", "b/._x.mp3"})
            write(QString::fromLatin1(other));
        QStringList problems;
        QCOMPARE(walked(root(), &problems), (QStringList{a, b10, b2, deep, noExtension, bFile}));
        QVERIFY(problems.isEmpty());

        int looked = 0;
        QStringList folders;
        walkMediaFiles(root(), {.enteringFolder = [&](const QString& f) { folders.append(f); },
                                .fileLookedAt = [&] { ++looked; }});
        QCOMPARE(looked, 10); // the hidden ones are not looked at
        QCOMPARE(folders, (QStringList{root(), root() + "/b", root() + "/b/c", root() + "/b/c/d"}));
    }

    void walkFollowsLinksOnceAndNeverLoops()
    {
        const QString song = write("music/x/song.mp3");
        QVERIFY(QFile::link(root() + "/music", root() + "/music/x/back"));       // a loop
        QVERIFY(QFile::link(root() + "/music/x", root() + "/music/y"));          // the same folder again
        QVERIFY(QFile::link(song, root() + "/music/z.mp3"));                     // a link to a file
        QVERIFY(QFile::link(root() + "/gone", root() + "/music/dangling.mp3")); // to nothing
        QCOMPARE(walked(root() + "/music"), (QStringList{song, root() + "/music/z.mp3"}));
    }

    void walkTellsUnreadableFolders()
    {
        write("ok/a.mp3");
        write("locked/b.mp3");
        QVERIFY(::chmod(QFile::encodeName(root()).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(root() + "/ok").constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(root() + "/locked").constData(), 0) == 0);
        QStringList problems, found;
        {
            ActingAsNobody nobody;
            found = walked(root(), &problems);
        }
        ::chmod(QFile::encodeName(root() + "/locked").constData(), 0700);
        QCOMPARE(found, QStringList{root() + "/ok/a.mp3"});
        QCOMPARE(problems, QStringList{root() + "/locked: Permission denied"});
        QCOMPARE(walked(root() + "/none", &problems), QStringList{});
        QCOMPARE(problems, QStringList{root() + "/none: No such file or directory"});
    }

    void jobNamesReadsAndLeavesOutKnownFiles()
    {
        FakeTagReader reader;
        const QString tagged = write("Band/tagged.mp3");
        const QString named = write("Band/Abba - Waterloo.mp3");
        const QString known = write("Band/known.mp3");
        const QString unreadable = write("Band/unreadable.mp3");
        const QString lineBreak = write("Band/two\nlines.mp3");
        write("Band/cover.jpg");
        reader.tags[tagged] = {"Tagged Artist", "Tagged Title", "Rock"};
        reader.unreadable[unreadable] = "Input/output error";
        for (int threads : {1, 2, 3}) {
            const FolderImportJob::Result result =
                runJob(reader, {.folder = root(), .genre = "Jazz", .knownFiles = {comparableFile(root() + "/Band/./known.mp3")},
                                .room = 100, .threads = threads});
            QVERIFY(!result.cancelled);
            QCOMPARE(result.records.size(), size_t(2));
            QCOMPARE(result.records[0].artist, "Abba");
            QCOMPARE(result.records[0].genre, "Jazz");
            QCOMPARE(result.records[1].title, "Tagged Title");
            QCOMPARE(filesOf(result.records), (QStringList{named, tagged}));
            QCOMPARE(result.alreadyIn, 1);
            QCOMPARE(result.namedFromFileNames, 1);
            QCOMPARE(result.leftOutAtCapacity, 0);
            QCOMPARE(result.notRead.size(), 2);
            QVERIFY(result.notRead[0].startsWith(root() + "/Band/two\\nlines.mp3: the name holds a line break"));
            QCOMPARE(result.notRead[1], unreadable + ": Input/output error");
        }
    }

    // A record's file and a walked path are the same file in whatever form the record names it.
    void comparableFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("comparable");
        QTest::newRow("clean path") << "/music/a.mp3" << "/music/a.mp3";
        QTest::newRow("steps and doubled slashes") << "/music//x/../a.mp3" << "/music/a.mp3";
        QTest::newRow("file URL") << "file:///music/A%20b.mp3" << "/music/A b.mp3";
        QTest::newRow("file URL with steps") << "FILE:///music/./a.mp3" << "/music/a.mp3";
        QTest::newRow("relative path") << "music/./a.mp3" << "music/./a.mp3";
        QTest::newRow("stream") << "http://radio.example/a.mp3" << "http://radio.example/a.mp3";
    }
    void comparableFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, comparable);
        QCOMPARE(comparableFile(file), comparable);
    }

    void jobKeepsToTheRoomLeft()
    {
        FakeTagReader reader;
        QStringList files;
        for (int i = 1; i <= 6; ++i)
            files.append(write(QStringLiteral("f/%1.mp3").arg(i)));
        // A file that cannot be read leaves its room to the next.
        reader.unreadable[files[1]] = "Permission denied";
        const FolderImportJob::Result result = runJob(reader, {.folder = root(), .room = 3});
        QCOMPARE(filesOf(result.records), (QStringList{files[0], files[2], files[3]}));
        QCOMPARE(result.leftOutAtCapacity, 2);
        QCOMPARE(result.notRead, QStringList{files[1] + ": Permission denied"});
        const FolderImportJob::Result none = runJob(reader, {.folder = root(), .room = 0});
        QVERIFY(none.records.empty());
        QCOMPARE(none.leftOutAtCapacity, 6);
    }

    void cancelledJobGivesNothing()
    {
        for (int i = 1; i <= 40; ++i)
            write(QStringLiteral("f/%1.mp3").arg(i));
        FakeTagReader reader;
        FolderImportJob* running = nullptr;
        std::atomic<int> reads = 0;
        reader.beforeRead = [&](const QString&) {
            if (++reads == 3)
                running->cancel();
        };
        FolderImportJob job(reader, {.folder = root(), .room = 100, .threads = 2});
        running = &job;
        job.run();
        const FolderImportJob::Result result = job.takeResult();
        QVERIFY(result.cancelled);
        QVERIFY(result.records.empty());
        QVERIFY(reads < 40);
        QCOMPARE(job.progress().filesLookedAt, 40);
    }

    // The records go into the file in one write, in the file's own line ends, after a last line
    // that had none; a file another program changed takes none, and the table stays as it was.
    void appendRecordsWritesAllOrNone()
    {
        const QString path = write("Music.VxDatabase", "A\nT\nG\n/f.mp3");
        Library library;
        QVERIFY(library.load(path).opened);
        std::vector<LibraryRecord> records = {LibraryRecord::fromTexts(u"B", u"U", u"H", u"/g.mp3"),
                                              LibraryRecord::fromTexts(u"C", u"V", u"I", u"/h.mp3")};
        QString error;
        QCOMPARE(library.appendRecords(records, &error), 2);
        QCOMPARE(library.recordCount(), 3);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("A\nT\nG\n/f.mp3\nB\nU\nH\n/g.mp3\nC\nV\nI\n/h.mp3\n"));
        file.close();

        QTest::qWait(10);
        write("Music.VxDatabase", "changed\n");
        QCOMPARE(library.appendRecords(records, &error), 0);
        QVERIFY(error.contains("changed by another program"));
        QCOMPARE(library.recordCount(), 3);
        QCOMPARE(library.appendRecords(std::vector<LibraryRecord>(LibraryCapacity, records[0]), &error), 0);
        QVERIFY(error.contains("room for 24997 more records"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("changed\n"));
    }
};

QTEST_MAIN(TestFolderImport)
#include "tst_folder_import.moc"
