#include "core/CdSetNames.h"
#include "core/CdSetWriter.h"
#include "core/FileCopy.h"
#include "core/LibraryTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

LibraryRecord record(const QString& artist, const QString& title, const QString& file)
{
    return LibraryRecord::fromTexts(artist, title, QStringLiteral("Rock"), file);
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
        QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EFBIG))); // "File too large"
        QVERIFY(!QFile::exists(target));
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
        QVERIFY(!copyFileContents(dir.filePath(sourceName), target));
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_MAIN(TestCdSetNames)
#include "tst_cd_set.moc"
