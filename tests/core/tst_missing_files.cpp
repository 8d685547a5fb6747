#include "core/MissingFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestMissingFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return f.fileName();
    }

private slots:
    void whatCountsAsMissing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("missing");

        const QString song = write("song.mp3", "sound");
        const QString blank = write("with blank.mp3", "sound");
        const QString empty = write("empty.mp3", "");
        QDir(dir.path()).mkdir("folder.mp3");
        QTest::newRow("existing file") << song << false;
        QTest::newRow("name with a blank") << blank << false;
        // The file line is taken without the blanks around it, as the CD builder takes it.
        QTest::newRow("blanks around the name") << "  " + song + "  " << false;
        QTest::newRow("blanks around a URL") << "  http://example.com/a.mp3 " << false;
        QTest::newRow("empty file") << empty << true;
        QTest::newRow("no such file") << dir.filePath("gone.mp3") << true;
        QTest::newRow("directory") << dir.filePath("folder.mp3") << true;
        QTest::newRow("empty field") << QString() << true;
        QTest::newRow("NUL inside the name") << song + QChar(0) + "x" << true;
        QTest::newRow("drive letter is no URL") << "C:\\music\\song.mp3" << true;
        // URLs are left out: the panel says they are not checked.
        QTest::newRow("http") << "http://example.com/stream.mp3" << false;
        QTest::newRow("mms, upper case") << "MMS://radio.example/live" << false;
        // file URLs name local files.
        QTest::newRow("file URL of a file") << QUrl::fromLocalFile(song).toString() << false;
        QTest::newRow("file URL of nothing") << QUrl::fromLocalFile(dir.filePath("gone.mp3")).toString() << true;
    }
    void whatCountsAsMissing()
    {
        QFETCH(QString, file);
        QFETCH(bool, missing);
        QCOMPARE(isMissingFile(file), missing);
    }
};

QTEST_MAIN(TestMissingFiles)
#include "tst_missing_files.moc"
