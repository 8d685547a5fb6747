// The TagLib reader on media files the test makes and tags itself, and an import of a nested
// folder of tagged and untagged files through it.
#include "TaggedMedia.h"
#include "WavWriter.h"
#include "core/FolderImportJob.h"
#include "core/ImportNaming.h"
#include "tags/TaglibTagReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeMedia(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (path.endsWith(".mp3"))
        return writeSilentMp3(path);
    if (path.endsWith(".flac"))
        return writeEmptyFlac(path);
    return writeToneWav(path, 0.05);
}

} // namespace

class TestTaglibReader : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    TaglibTagReader reader;

private slots:
    void readsTheTagsOfEachKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("tags");
        for (const char* kind : {"mp3", "flac", "wav"}) {
            const QString ext = QString::fromLatin1(kind);
            QTest::addRow("%s tagged", kind) << "tagged." + ext << QStringList{"Björk", "Jóga", "Electronic"};
            QTest::addRow("%s title only", kind) << "title." + ext << QStringList{"", "Only a Title", ""};
            QTest::addRow("%s untagged", kind) << "untagged." + ext << QStringList{"", "", ""};
        }
    }
    void readsTheTagsOfEachKind()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, tags);
        const QString path = dir.filePath(name);
        QVERIFY(writeMedia(path));
        if (!tags.join("").isEmpty())
            QVERIFY(writeTags(path, tags[0], tags[1], tags[2]));
        const TagReading reading = reader.read(path);
        QCOMPARE(reading.problem, QString());
        QCOMPARE((QStringList{reading.tags.artist, reading.tags.title, reading.tags.genre}), tags);
    }

    void tellsWhyAFileCannotBeRead()
    {
        QCOMPARE(reader.read(dir.filePath("gone.mp3")).problem, "No such file or directory");
        const QString fifo = dir.filePath("fifo.mp3");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QCOMPARE(reader.read(fifo).problem, "is not a regular file"); // and does not wait for a writer
        QVERIFY(QDir(dir.path()).mkdir("folder.mp3"));
        QCOMPARE(reader.read(dir.filePath("folder.mp3")).problem, "is not a regular file");

        // Bytes of no kind TagLib knows: no tags, but nothing wrong with the file.
        const QString noise = dir.filePath("noise.mp3");
        QFile file(noise);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(3000, 'x')) == 3000);
        file.close();
        const TagReading reading = reader.read(noise);
        QCOMPARE(reading.problem, QString());
        QCOMPARE(reading.tags.artist, QString());

        if (geteuid() == 0)
            return; // root reads every file
        QVERIFY(::chmod(QFile::encodeName(noise).constData(), 0) == 0);
        QCOMPARE(reader.read(noise).problem, "Permission denied");
    }

    // A nested folder of tagged and untagged files becomes records named from the tags or the
    // file names; imported again, it adds nothing.
    void importsANestedFolder()
    {
        const QString music = dir.filePath("Music");
        const QString joga = music + "/Björk/Homogenic/01 Jóga.mp3";
        const QString song = music + "/Untagged/Some Band - Song.flac";
        const QString tone = music + "/x/y/tone.wav";
        for (const QString& path : {joga, song, tone})
            QVERIFY(writeMedia(path));
        QVERIFY(writeTags(joga, "Björk", "Jóga", "Electronic"));
        QVERIFY(writeTags(tone, "", "A Tone", ""));
        QFile cover(music + "/cover.jpg");
        QVERIFY(cover.open(QIODevice::WriteOnly));
        cover.close();

        FolderImportJob job(reader, {.folder = music, .genre = "Test"});
        job.run();
        const FolderImportJob::Result result = job.takeResult();
        QCOMPARE(result.records.size(), size_t(3));
        const auto fields = [&](int i) {
            const LibraryRecord& r = result.records[size_t(i)];
            return QStringList{r.artist, r.title, r.genre, r.file};
        };
        QCOMPARE(fields(0), (QStringList{"Björk", "Jóga", "Electronic", joga}));
        QCOMPARE(fields(1), (QStringList{"Some Band", "Song", "Test", song}));
        QCOMPARE(fields(2), (QStringList{"y", "A Tone", "Test", tone}));
        QCOMPARE(result.namedFromFileNames, 2);
        QVERIFY(result.notRead.isEmpty());

        FolderImportJob again(reader, {.folder = music, .knownFiles = {joga, song, tone}});
        again.run();
        const FolderImportJob::Result second = again.takeResult();
        QVERIFY(second.records.empty());
        QCOMPARE(second.alreadyIn, 3);
    }
};

QTEST_MAIN(TestTaglibReader)
#include "tst_taglib_reader.moc"
