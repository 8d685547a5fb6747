// The tag reader that loads the TagLib one from its module on the first read: reads through the
// real module (from several threads at once), a module that cannot be loaded (and an import
// through it), and one load however many threads read first. The reader links no TagLib: it gets the TagLib
// reader from the module alone (TagLib here only tags the test's files).
#include "TaggedMedia.h"
#include "core/FolderImportJob.h"
#include "tags/LateTagReader.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

#include <latch>
#include <thread>
#include <vector>

namespace {

QString tagsModule()
{
    return QStringLiteral(VEXOLIN_TAGS_MODULE);
}

// Makes each reader after a pause and counts them (tests/tags/CountingTagReaderModule.cpp).
QString countingModule()
{
    return QStringLiteral(VEXOLIN_COUNTING_TAGS_MODULE);
}

constexpr int Threads = 8;

// Reads every path on a thread of its own, the threads let go together; the readings in order.
std::vector<TagReading> readAtOnce(const TagReader& reader, const QStringList& paths)
{
    std::vector<TagReading> readings(size_t(paths.size()));
    std::latch start(paths.size());
    std::vector<std::thread> threads;
    for (qsizetype i = 0; i < paths.size(); ++i)
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            readings[size_t(i)] = reader.read(paths[i]);
        });
    for (std::thread& thread : threads)
        thread.join();
    return readings;
}

QStringList fieldsOf(const TagReading& reading)
{
    return {reading.tags.artist, reading.tags.title, reading.tags.genre, reading.problem};
}

} // namespace

class TestLateTagReader : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // A silent MP3 tagged "Artist <n>", "Title <n>", "Genre".
    QString taggedMp3(const QString& name, int n)
    {
        const QString path = dir.filePath(name);
        if (!writeSilentMp3(path) || !writeTags(path, QStringLiteral("Artist %1").arg(n), QStringLiteral("Title %1").arg(n),
                                                QStringLiteral("Genre")))
            return {};
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    // Tags, no tags and a reason why a file cannot be read all come through from the module.
    void readsThroughTheModule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("fields"); // artist, title, genre, problem
        QTest::newRow("tagged mp3") << "tagged.mp3" << QStringList{"Björk", "Jóga", "Electronic", ""};
        QTest::newRow("untagged flac") << "untagged.flac" << QStringList{"", "", "", ""};
        QTest::newRow("missing") << "gone.mp3" << QStringList{"", "", "", "No such file or directory"};
    }
    void readsThroughTheModule()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, fields);
        const QString path = dir.filePath(name);
        if (name.startsWith("tagged"))
            QVERIFY(writeSilentMp3(path) && writeTags(path, fields[0], fields[1], fields[2]));
        else if (name.startsWith("untagged"))
            QVERIFY(writeEmptyFlac(path));
        const LateTagReader reader(tagsModule());
        QCOMPARE(fieldsOf(reader.read(path)), fields);
    }

    // The first reads come from several threads at once, each with a file of its own; every
    // one of them waits for the module and gets its own file's tags.
    void readsFromSeveralThreadsAtOnce()
    {
        QStringList paths;
        for (int n = 0; n < Threads; ++n)
            paths.append(taggedMp3(QStringLiteral("many%1.mp3").arg(n), n));
        QVERIFY(!paths.contains(QString()));
        const LateTagReader reader(tagsModule());
        const std::vector<TagReading> readings = readAtOnce(reader, paths);
        for (int n = 0; n < Threads; ++n)
            QCOMPARE(fieldsOf(readings[size_t(n)]),
                     (QStringList{QStringLiteral("Artist %1").arg(n), QStringLiteral("Title %1").arg(n), "Genre", ""}));
    }

    // However many threads read first, the module is read and its reader made once; nothing is
    // made before the first read.
    void makesTheReaderOnce()
    {
        const LateTagReader reader(countingModule());
        QLibrary counting(countingModule());
        const auto readersMade = reinterpret_cast<int (*)()>(counting.resolve("countingTagReadersMade"));
        QVERIFY2(readersMade, qPrintable(counting.errorString()));
        QCOMPARE(readersMade(), 0);

        QStringList paths;
        for (int n = 0; n < Threads; ++n)
            paths.append(QStringLiteral("/music/%1.mp3").arg(n));
        const std::vector<TagReading> readings = readAtOnce(reader, paths);
        for (int n = 0; n < Threads; ++n)
            QCOMPARE(readings[size_t(n)].tags.title, paths[n]);
        QCOMPARE(readersMade(), 1);
        QCOMPARE(reader.read(QStringLiteral("/music/later.mp3")).tags.title, QStringLiteral("/music/later.mp3"));
        QCOMPARE(readersMade(), 1);
    }

    // A module that cannot be loaded gives every read the same problem, which an import names
    // for each file as it names an unreadable file's.
    void moduleThatCannotBeLoaded_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("why");
        QTest::newRow("missing") << "no-such-module.so" << "No such file or directory";
        QTest::newRow("no library") << "text.so" << "file too short";
    }
    void moduleThatCannotBeLoaded()
    {
        QFETCH(QString, module);
        QFETCH(QString, why);
        QFile text(dir.filePath("text.so"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a library\n") > 0);
        text.close();
        const QString folder = dir.filePath("import");
        QVERIFY(QDir().mkpath(folder));
        const QString tagged = taggedMp3("import/tagged.mp3", 1);
        QVERIFY(!tagged.isEmpty());

        const LateTagReader reader(dir.filePath(module));
        const QString problem = reader.read(tagged).problem;
        QVERIFY2(problem.startsWith("the tag reader could not be loaded: ") && problem.contains(why), qPrintable(problem));
        QCOMPARE(reader.read(tagged).tags.title, QString());
        QCOMPARE(reader.read(dir.filePath("gone.mp3")).problem, problem);

        const QString second = taggedMp3("import/second.mp3", 2);
        QVERIFY(!second.isEmpty());
        FolderImportJob job(reader, {.folder = folder});
        job.run();
        const FolderImportJob::Result result = job.takeResult();
        QVERIFY(result.records.empty());
        QCOMPARE(result.notRead, (QStringList{second + ": " + problem, tagged + ": " + problem}));
    }
};

QTEST_MAIN(TestLateTagReader)
#include "tst_late_tag_reader.moc"
