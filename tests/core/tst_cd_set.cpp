#include "core/CdSetNames.h"
#include "core/CdSetWriter.h"
#include "core/FileCopy.h"
#include "core/LibraryTable.h"
#include "core/TextLines.h"
#include "../support/DiskFull.h"
#include "../support/SmallDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

LibraryRecord record(const QString& artist, const QString& title, const QString& file)
{
    return LibraryRecord::fromTexts(artist, title, QStringLiteral("Rock"), file);
}

QByteArray fileContents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// The entries of a folder, hidden ones included, but for the temporary files a write in progress
// uses where the file system has no nameless files; sorted.
QStringList namedEntries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.removeIf([](const QString& name) { return name.startsWith(".vexolin-") && name.endsWith(".tmp"); });
    names.sort();
    return names;
}

// The copies a set's database lists, by name, sorted.
QStringList listedCopies(const QString& database)
{
    QStringList names;
    const QList<QByteArray> lines = fileContents(database).split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith("#:/mediafiles/"))
            names.append(QString::fromUtf8(line.mid(14).trimmed()));
    names.sort();
    names.removeDuplicates();
    return names;
}

} // namespace

class TestCdSetNames : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return f.fileName();
    }

private slots:
    void extension_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("extension");
        QTest::newRow("plain") << "/music/songb.mp3" << ".mp3";
        QTest::newRow("blank-padded field") << fixedWidth(u"/music/a.ogg", FileWidth) << ".ogg";
        QTest::newRow("last dot counts") << "/m/a.b.flac" << ".flac";
        QTest::newRow("dot only in a folder") << "/m/v1.0/song" << ".0/song";
        QTest::newRow("no dot: the whole path") << "/music/song  " << "/music/song";
        QTest::newRow("blanks around") << "/m/a. mp3 " << ". mp3";
    }
    void extension()
    {
        QFETCH(QString, stored);
        QFETCH(QString, extension);
        QCOMPARE(extensionOfStoredFile(stored), extension);
    }

    void mediaFileNameTrimsArtistAndTitle()
    {
        QCOMPARE(mediaFileName(u"  Band A ", u" Song B  ", u".mp3"), QStringLiteral("Band A-Song B.mp3"));
    }

    void safeNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("ordinary") << "Band A-Song B.mp3" << true;
        QTest::newRow("dots inside a name") << "..-....mp3" << true;
        QTest::newRow("Windows-only reserved marks") << "Who?-What*.mp3" << true;
        QTest::newRow("slash") << "AC/DC-Thunder.mp3" << false;
        QTest::newRow("backslash") << "AC\\DC-Thunder.mp3" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("NUL") << QString("a-b") + QChar(0) + ".mp3" << false;
        QTest::newRow("CR LF") << "a-b\r\n.mp3" << false;
        QTest::newRow("tab") << "a\t-b.mp3" << false;
        QTest::newRow("DEL") << "a\x7f-b.mp3" << false;
        QTest::newRow("C1 control") << QString("a-b") + QChar(0x85) + ".mp3" << false;
        QTest::newRow("lone surrogate") << QString("a-b") + QChar(0xD800) + ".mp3" << false;
        // 85 three-byte characters: 85 characters, 255 bytes; one more byte is too many.
        QTest::newRow("255 bytes of UTF-8") << QString(85, QChar(0x20AC)) << true;
        QTest::newRow("256 bytes of UTF-8") << QString(85, QChar(0x20AC)) + "x" << false;
        QTest::newRow("300 bytes of UTF-8") << QString(100, QChar(0x20AC)) << false;
    }
    void safeNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(isSafeFileName(name), safe);
    }

    void staysInside_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("inside");
        QTest::newRow("a file in it") << "/set/mediafiles" << "/set/mediafiles/a.mp3" << true;
        QTest::newRow("climbing out") << "/set/mediafiles" << "/set/mediafiles/../a.mp3" << false;
        QTest::newRow("a sibling sharing the prefix") << "/set/mediafiles" << "/set/mediafiles2/a.mp3" << false;
        QTest::newRow("the folder itself") << "/set/mediafiles" << "/set/mediafiles/." << false;
        QTest::newRow("the root as folder") << "/" << "/mediafiles" << true;
    }
    void staysInside()
    {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QFETCH(bool, inside);
        QCOMPARE(::staysInside(folder, path), inside);
    }

    void databaseName_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("name");
        QTest::newRow("appended") << "/set/disc" << "/set/disc.VxDatabase";
        QTest::newRow("present, other case") << "/set/disc.vxDATABASE" << "/set/disc.vxDATABASE";
        QTest::newRow("another extension") << "/set/disc.txt" << "/set/disc.txt.VxDatabase";
    }
    void databaseName()
    {
        QFETCH(QString, given);
        QFETCH(QString, name);
        QCOMPARE(databaseNameWithExtension(given), name);
    }

    void readmeHasTenLines()
    {
        const QStringList lines = readmeLines();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], QStringLiteral("To use the VxDatabase file on this CD,"));
        QCOMPARE(lines[6], QStringLiteral("You can contact the authur of Vexolin at:"));
        for (int empty : {2, 5, 8})
            QVERIFY(lines[empty].isEmpty());
        for (int own : {4, 7, 9})
            QVERIFY(!lines[own].isEmpty());
    }

    void planNamesEveryEntry()
    {
        const QString song = writeFile("song.mp3", "abc");
        const std::optional<QList<CdSetItem>> plan =
            planCdSet({record(" Band A ", "Song B", song + "   "), record("Band A", "Other", song)});
        QVERIFY(plan);
        QCOMPARE(plan->size(), 2);
        QCOMPARE((*plan)[0].fileName, QStringLiteral("Band A-Song B.mp3"));
        QCOMPARE((*plan)[0].source, song);
        QCOMPARE((*plan)[1].fileName, QStringLiteral("Band A-Other.mp3"));
        QVERIFY((*plan)[0].copy && (*plan)[1].copy);
    }

    void planCopiesTheSameFileUnderTheSameNameOnce()
    {
        const QString song = writeFile("once.mp3", "abc");
        const std::optional<QList<CdSetItem>> plan =
            planCdSet({record("A", "B", song), record("A", "B", dir.path() + "/./once.mp3")});
        QVERIFY(plan);
        QVERIFY((*plan)[0].copy);
        QVERIFY(!(*plan)[1].copy);
        QCOMPARE((*plan)[1].fileName, (*plan)[0].fileName);
    }

    void planRefuses_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("otherTitle"); // a second entry, same artist, another file
        QTest::newRow("separator in the artist") << "AC/DC" << "Thunder" << "";
        QTest::newRow("backslash in the title") << "A" << "B\\C" << "";
        QTest::newRow("no artist and no title") << "  " << "" << "";
        QTest::newRow("control character") << "A\r\nB" << "T" << "";
        QTest::newRow("NUL in the title") << "A" << QString("T") + QChar(0) + "x" << "";
        QTest::newRow("artist of two dots") << ".." << "T" << "";
        QTest::newRow("title of three dots") << "A" << " ... " << "";
        QTest::newRow("artist of one dot") << "." << "T" << "";
    }
    void planRefuses()
    {
        QFETCH(QString, artist);
        QFETCH(QString, title);
        QFETCH(QString, otherTitle);
        QList<LibraryRecord> records{record(artist, title, writeFile("one.mp3", "1"))};
        if (!otherTitle.isEmpty())
            records.append(record(artist, otherTitle, writeFile("two.mp3", "2")));
        QVERIFY(!planCdSet(records));
    }

    // Different files under one artist and title (letter case aside) each get a copy: the first
    // under the plain name, each further one numbered; the same file again keeps its name.
    void planNumbersDifferentFilesOfOneName()
    {
        const QString one = writeFile("one.mp3", "1");
        const QString two = writeFile("two.mp3", "2");
        const QString three = writeFile("three.mp3", "3");
        const QString other = writeFile("other.ogg", "4");
        const std::optional<QList<CdSetItem>> plan = planCdSet({record("A", "B", one), record("A", "b", two),
                                                                record("a", "B", one), record("A", "B", three),
                                                                record("A", "B", other)});
        QVERIFY(plan);
        QStringList names;
        QList<bool> copies;
        for (const CdSetItem& item : *plan) {
            names.append(item.fileName);
            copies.append(item.copy);
        }
        QCOMPARE(names, (QStringList{"A-B.mp3", "A-b (2).mp3", "A-B.mp3", "A-B (3).mp3", "A-B.ogg"}));
        QCOMPARE(copies, (QList<bool>{true, true, false, true, true}));

        // A numbered name must still be one plain file name of at most 255 bytes.
        const QString euros(40, QChar(0x20AC)); // 120 bytes of UTF-8
        const QString extension = "." + QString(11, 'x'); // the name takes 253 bytes, numbered 257
        const QString first = writeFile("first" + extension, "1");
        const QString second = writeFile("second" + extension, "2");
        QVERIFY(planCdSet({record(euros, euros, first), record(euros, euros, first)}));
        QVERIFY(!planCdSet({record(euros, euros, first), record(euros, euros, second)}));
    }

    void planKeepsDotsInsideATitle()
    {
        const std::optional<QList<CdSetItem>> plan = planCdSet({record("Dots", "Oh...Yeah", "/m/s.mp3")});
        QVERIFY(plan);
        QCOMPARE((*plan)[0].fileName, QStringLiteral("Dots-Oh...Yeah.mp3"));
    }

    void planRefusesNamesTooLong_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accepted");
        const QString euros(40, QChar(0x20AC)); // 40 characters, 120 bytes of UTF-8
        QTest::newRow("245 bytes") << euros << "/m/s.mp3" << true;
        QTest::newRow("over 255 bytes") << euros << "/m/s.mp3" + QString(20, 'x') << false;
        // Short in bytes, but "#:/mediafiles/<name>" exceeds the 255 characters of a file line.
        QTest::newRow("file line too long") << QString(30, 'a') << "/m/s." + QString(200, 'x') << false;
        QTest::newRow("long extension, short name") << "a" << "/m/s." + QString(200, 'x') << true;
    }
    void planRefusesNamesTooLong()
    {
        QFETCH(QString, artist);
        QFETCH(QString, file);
        QFETCH(bool, accepted);
        QCOMPARE(planCdSet({record(artist, artist, file)}).has_value(), accepted);
    }

    void copyCopiesContentsIntoANewFileOnly()
    {
        QByteArray content(3 * 1024 * 1024 + 17, '\0');
        for (int i = 0; i < content.size(); ++i)
            content[i] = char(i * 31 + i / 7);
        const QString source = writeFile("big.bin", content);
        const QString target = dir.filePath("copy.bin");
        QCOMPARE(copyFileContents(source, target), std::optional<qint64>(content.size()));
        QFile copied(target);
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), content);
        copied.close();

        // An existing target, even a link, is never written.
        QVERIFY(!copyFileContents(source, target));
        QVERIFY(QFile::link(dir.filePath("elsewhere.bin"), dir.filePath("link.bin")));
        QVERIFY(!copyFileContents(source, dir.filePath("link.bin")));
        QVERIFY(!QFile::exists(dir.filePath("elsewhere.bin")));
    }

    void copyThatRunsOutOfSpaceLeavesNoPartialFile()
    {
        const QString source = writeFile("two-mb.bin", QByteArray(2 * 1024 * 1024, 'z'));
        const QString target = dir.filePath("partial.bin");
        // A file size limit stands in for a full disk: writes past 1 MB fail (the copy itself keeps
        // the limit from ending the program).
        rlimit saved;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 1024 * 1024;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const std::optional<qint64> copied = copyFileContents(source, target, &error);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &saved), 0);
        QVERIFY(!copied);
        // The target is what failed, not the source.
        QCOMPARE(error, target + ": " + QString::fromLocal8Bit(std::strerror(EFBIG))); // "File too large"
        QVERIFY(!QFile::exists(target));
        QVERIFY(QDir(dir.path()).entryList({".vexolin-*"}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void copyRefusesWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("sourceName");
        QTest::newRow("missing") << "missing.mp3";
        QTest::newRow("folder") << "folder";
        QTest::newRow("named pipe") << "pipe";
    }
    void copyRefusesWhatIsNotARegularFile()
    {
        QFETCH(QString, sourceName);
        QDir(dir.path()).mkdir("folder");
        if (!QFile::exists(dir.filePath("pipe")))
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
        const QString target = dir.filePath("target-" + sourceName);
        QString error;
        QVERIFY(!copyFileContents(dir.filePath(sourceName), target, &error));
        QVERIFY2(error.startsWith(dir.filePath(sourceName) + ": "), qPrintable(error));
        QVERIFY(!QFile::exists(target));
    }

    // A full disk stops the set at a copy: the message names that copy, every copy left is whole
    // and listed in the set's database, the readme says the set is incomplete, and removing the
    // set takes exactly what the write made.
    void fullTargetLeavesWholeListedCopies()
    {
        SmallDisk disk(160 * 1024); // 40 pages: the database, the readme and two copies of 15
        if (!disk.isMounted())
            QSKIP("mounting a small tmpfs needs root");
        QVERIFY(QDir(disk.path()).mkdir("theirs"));
        QVERIFY(QFile(disk.filePath(".theirs")).open(QIODevice::WriteOnly));
        const QByteArray content(60 * 1024, 's');
        const QList<LibraryRecord> records{record("A", "One", writeFile("one.mp3", content)),
                                           record("A", "Two", writeFile("two.mp3", content)),
                                           record("A", "Three", writeFile("three.mp3", content))};
        const CdSetWrite write = writeCdSet(disk.path(), disk.filePath("set.VxDatabase"), *planCdSet(records), {});

        QVERIFY(!write.whole);
        QCOMPARE(write.error, disk.filePath("mediafiles/A-Three.mp3") + ": " + QString::fromLocal8Bit(std::strerror(ENOSPC)));
        QCOMPARE(namedEntries(disk.filePath("mediafiles")), QStringList({"A-One.mp3", "A-Two.mp3"}));
        QCOMPARE(listedCopies(disk.filePath("set.VxDatabase")), QStringList({"A-One.mp3", "A-Two.mp3"}));
        QCOMPARE(fileContents(disk.filePath("mediafiles/A-Two.mp3")), content);
        QVERIFY(fileContents(disk.filePath("readme.txt")).startsWith("THIS CD SET IS INCOMPLETE"));

        QCOMPARE(removeCdSet(write, disk.path()), QStringList());
        QCOMPARE(QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({".theirs", "theirs"}));
    }

    // A record the database cannot take takes its copy out again: the set lists every copy it holds.
    void copyWhoseRecordCannotBeWrittenIsRemoved()
    {
        QList<LibraryRecord> records;
        for (int i = 1; i <= 30; ++i)
            records.append(record("A", QStringLiteral("Song %1").arg(i), writeFile(QStringLiteral("%1.mp3").arg(i), QByteArray(100, 'm'))));
        const QString set = dir.filePath("recordless");
        QVERIFY(QDir().mkpath(set));
        CdSetWrite write;
        {
            // Files may grow a little past the readme: the copies fit, the database fills up.
            const DiskFull full(encodeLines(incompleteReadmeLines()).size() + 50);
            write = writeCdSet(set, set + "/set.VxDatabase", *planCdSet(records), {});
        }
        QVERIFY(!write.whole);
        QVERIFY2(write.error.startsWith(set + "/set.VxDatabase: "), qPrintable(write.error));
        const QStringList listed = listedCopies(set + "/set.VxDatabase");
        QVERIFY(!listed.isEmpty() && listed.size() < records.size());
        QCOMPARE(namedEntries(set + "/mediafiles"), listed);
    }

    // A process ended in the middle of a copy leaves no part of it under the copy's name.
    void killedMidCopyLeavesOnlyWholeCopies()
    {
        const QByteArray small(1024 * 1024, 'o');
        QByteArray big(3 * 1024 * 1024, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i * 7 + i / 4096);
        const QList<LibraryRecord> records{record("A", "One", writeFile("k1.wav", small)),
                                           record("A", "Two", writeFile("k2.wav", big)),
                                           record("A", "Three", writeFile("k3.wav", small))};
        const QList<CdSetItem> items = *planCdSet(records);
        const QString set = dir.filePath("killed");
        QVERIFY(QDir().mkpath(set));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            // A write past 2 MB ends the process at once: in the middle of the second copy.
            std::signal(SIGXFSZ, [](int) { std::raise(SIGKILL); });
            rlimit limit;
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 2 * 1024 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            writeCdSet(set, set + "/set.VxDatabase", items, {});
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        QCOMPARE(namedEntries(set + "/mediafiles"), QStringList({"A-One.wav"}));
        QCOMPARE(fileContents(set + "/mediafiles/A-One.wav"), small);
        QCOMPARE(listedCopies(set + "/set.VxDatabase"), QStringList({"A-One.wav"}));
        QVERIFY(fileContents(set + "/readme.txt").startsWith("THIS CD SET IS INCOMPLETE"));
    }
};

QTEST_MAIN(TestCdSetNames)
#include "tst_cd_set.moc"
