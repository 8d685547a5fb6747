#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/PlaylistFile.h"
#include "core/TextLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// Reading the program's text files when they are not what they should be: FIFOs, devices,
// folders, endless lines, more lines than fit. Every read must answer at once (the test's
// timeout guards against a hang).
class TestTextFileReading : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Makes the kind of file a row names: a FIFO, a link to /dev/zero, a folder.
    QString make(const QString& kind)
    {
        const QString path = dir_.filePath(kind);
        QFile::remove(path);
        if (kind == "fifo" && ::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            qFatal("mkfifo failed");
        if (kind == "zero" && !QFile::link("/dev/zero", path))
            qFatal("symlink failed");
        if (kind == "folder")
            QDir(dir_.path()).mkpath(kind);
        return path;
    }

private slots:
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void refusesAnOverlongLine_data();
    void refusesAnOverlongLine();
    void stopsAfterTheLineLimit_data();
    void stopsAfterTheLineLimit();
    void playlistReadCountsTheLinesItLeavesOut_data();
    void playlistReadCountsTheLinesItLeavesOut();
    void databaseLoadSaysWhatWentWrong_data();
    void databaseLoadSaysWhatWentWrong();
    void databaseOverTheCapacityLoadsWhatFitsAndStaysClosed();
};

void TestTextFileReading::refusesWhatIsNotARegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("FIFO") << "fifo" << ": is not a regular file";
    QTest::newRow("link to /dev/zero") << "zero" << ": is not a regular file";
    QTest::newRow("folder") << "folder" << ": is a directory";
    QTest::newRow("missing") << "missing" << ": No such file or directory";
}

void TestTextFileReading::refusesWhatIsNotARegularFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, why);
    const QString path = make(kind);
    const TextFileRead read = readTextFile(path, 1000);
    QCOMPARE(read.problem, path + why);
    QVERIFY(!read.complete);
    QVERIFY(read.data.isEmpty());

    const PlaylistFileRead playlist = readPlaylistFile(path);
    QVERIFY(!playlist.ok());
    QCOMPARE(playlist.problem, path + why);
    QVERIFY(playlist.lines.isEmpty());

    Library library;
    const Library::LoadResult result = library.load(path);
    QCOMPARE(result.problem, path + why);
    QVERIFY(!result.opened);
    QVERIFY(!library.isOpen());
    QVERIFY(library.path().isEmpty());
    QCOMPARE(library.recordCount(), 0);
}

void TestTextFileReading::refusesAnOverlongLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray longest(LongestLine, 'x');
    QTest::newRow("one huge line") << QByteArray(3 * LongestLine, 'x');
    QTest::newRow("after short CR LF lines") << "a\r\nb\r\n" + longest + "y\r\n";
    QTest::newRow("LF-only file") << "a\nb\n" + longest + "y\n";
    QTest::newRow("lone LFs inside a CR file") << "a\r" + longest + "\n" + longest + "\r";
}

void TestTextFileReading::refusesAnOverlongLine()
{
    QFETCH(QByteArray, bytes);
    const QString path = write("long", bytes);
    const TextFileRead read = readTextFile(path, 1000);
    QCOMPARE(read.problem, path + ": a line is longer than 65536 characters");
    QVERIFY(read.data.isEmpty());

    // A line of exactly the longest length is read.
    const QString fits = write("fits", QByteArray(LongestLine, 'x') + "\r\n");
    QVERIFY(readTextFile(fits, 1000).problem.isEmpty());
}

void TestTextFileReading::stopsAfterTheLineLimit_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("kept");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<int>("linesPast"); // counted by the rule the kept lines were split by
    QTest::newRow("CR LF, more lines") << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("a\r\nb\r\n") << true << 1;
    QTest::newRow("CR LF, exactly the limit") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n") << false << 0;
    QTest::newRow("LF only, more lines") << QByteArray("a\nb\nc") << QByteArray("a\nb\n") << true << 1;
    QTest::newRow("lone CR, more lines") << QByteArray("a\rb\rc\r") << QByteArray("a\rb\r") << true << 1;
    QTest::newRow("LF inside a CR line") << QByteArray("a\nb\rc\rd\r") << QByteArray("a\nb\rc\r") << true << 1;
    QTest::newRow("CR LF, empty lines past, no last ending")
        << QByteArray("a\r\nb\r\n\r\n\r\nc\nd") << QByteArray("a\r\nb\r\n") << true << 3;
    QTest::newRow("LF only, a CR past the kept lines") << QByteArray("a\nb\nc\rd\ne\n") << QByteArray("a\nb\n") << true << 2;
    QTest::newRow("lone LF after a CR LF past") << QByteArray("a\rb\rc\r\n\n") << QByteArray("a\rb\r") << true << 2;
    // The reader takes 64 KiB pieces: this CR is the last byte of the second, its LF all of the third.
    QTest::newRow("CR LF split between pieces")
        << QByteArray("a\r\nb\r\n") + QByteArray(2 * 65536 - 7, 'x') + "\r\n" << QByteArray("a\r\nb\r\n") << true << 1;
}

void TestTextFileReading::stopsAfterTheLineLimit()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, kept);
    QFETCH(bool, stopped);
    QFETCH(int, linesPast);
    const TextFileRead read = readTextFile(write("lines", bytes), 2);
    QCOMPARE(read.data, kept);
    QCOMPARE(read.stoppedAtLimit, stopped);
    QCOMPARE(read.complete, !stopped);
    QCOMPARE(read.linesPastLimit, linesPast);
    QVERIFY(read.problem.isEmpty());
}

// A playlist file keeps what a playlist holds and counts the rest without keeping it.
void TestTextFileReading::playlistReadCountsTheLinesItLeavesOut_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QByteArray>("ending");
    QTest::addColumn<int>("leftOut");
    QTest::newRow("32767 lines") << 32767 << QByteArray("\r\n") << 0;
    QTest::newRow("32768 lines") << 32768 << QByteArray("\r\n") << 1;
    QTest::newRow("33000 lines") << 33000 << QByteArray("\r\n") << 233;
    QTest::newRow("40000 lines") << 40000 << QByteArray("\r\n") << 7233;
    QTest::newRow("40000 lines, LF ends") << 40000 << QByteArray("\n") << 7233;
}

void TestTextFileReading::playlistReadCountsTheLinesItLeavesOut()
{
    QFETCH(int, lines);
    QFETCH(QByteArray, ending);
    QFETCH(int, leftOut);
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += QByteArray(1 + i % 7, 'e') + ending;
    const PlaylistFileRead read = readPlaylistFile(write("big.m3u", bytes));
    QVERIFY(read.ok());
    QCOMPARE(read.lines.size(), qMin(lines, PlaylistCapacity));
    QCOMPARE(read.lines.last(), QString(1 + (read.lines.size() - 1) % 7, 'e'));
    QCOMPARE(read.linesLeftOut, leftOut);
}

void TestTextFileReading::databaseLoadSaysWhatWentWrong_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("problem");
    // A file holding NUL bytes loads the whole records before the first line holding one.
    const QByteArray twoRecords("a\r\nt\r\ng\r\n/f.mp3\r\nb\r\nu\r\nh\r\n/g.mp3\r\n");
    QTest::newRow("NUL bytes in the first record") << QByteArray("a\r\nb\r\n") + QByteArray(3, '\0') + "\r\nd\r\n"
                                                   << false << 0 << "%1: line 3 holds NUL bytes, so the file is damaged from there on";
    QTest::newRow("a crash's tail of NUL bytes") << twoRecords + QByteArray(64, '\0') << false << 2
                                                 << "%1: line 9 holds NUL bytes, so the file is damaged from there on";
    QTest::newRow("NUL in the third record, LF line ends")
        << QByteArray("a\nt\ng\n/f.mp3\nb\nu\nh\n/g.mp3\nc\nv") + QByteArray(1, '\0') + "\ni\n/h.mp3\n" << false << 2
        << "%1: line 10 holds NUL bytes, so the file is damaged from there on";
    QTest::newRow("LF-only database") << QByteArray("a\nt\ng\n/f.mp3\nb\nu\nh\n/g.mp3\n") << true << 2 << "";
    QTest::newRow("overlong line") << "a\r\n" + QByteArray(LongestLine + 1, 'x') << false << 0
                                   << "%1: a line is longer than 65536 characters";
}

void TestTextFileReading::databaseLoadSaysWhatWentWrong()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, opened);
    QFETCH(int, records);
    QFETCH(QString, problem);
    const QString path = write("db.VxDatabase", bytes);
    Library library;
    const Library::LoadResult result = library.load(path);
    QCOMPARE(result.opened, opened);
    QCOMPARE(library.isOpen(), opened);
    QCOMPARE(library.recordCount(), records);
    QCOMPARE(result.recordsLoaded, records);
    QCOMPARE(result.problem, problem.isEmpty() ? problem : problem.arg(path));
    // Records of a file that did not open are for browsing only, and say why.
    QCOMPARE(library.browseOnlyReason(), !opened && records > 0 ? result.problem : QString());
}

void TestTextFileReading::databaseOverTheCapacityLoadsWhatFitsAndStaysClosed()
{
    QByteArray bytes;
    for (int i = 0; i < LibraryCapacity + 100; ++i)
        bytes += "artist\ntitle\ngenre\n/m.mp3\n";
    Library library;
    const Library::LoadResult result = library.load(write("big.VxDatabase", bytes));
    QVERIFY(result.stoppedAtCapacity);
    QVERIFY(!result.opened);
    QVERIFY(library.path().isEmpty());
    QCOMPARE(result.recordsLoaded, LibraryCapacity);
    QCOMPARE(library.recordCount(), LibraryCapacity);
}

QTEST_GUILESS_MAIN(TestTextFileReading)
#include "tst_text_file_reading.moc"
