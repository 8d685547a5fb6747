// Databases as other programs leave them, through Add and Done: their line ends, a last line
// without one, their encodings; and the values a record cannot hold (line breaks, a file name
// edged with blanks).
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "ui/editor/RecordEditor.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The records of a library as {artist, title, genre, file} texts.
QList<QStringList> recordsOf(const Library& library)
{
    QList<QStringList> records;
    for (int n = 1; n <= library.recordCount(); ++n) {
        const LibraryRecord& r = library.record(n);
        records.append({r.artist, r.title, r.genre, r.file});
    }
    return records;
}

} // namespace

class TestDatabaseRoundTrips : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

    void start(const QByteArray& bytes)
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->start(f->writeFile("Music.VxDatabase", bytes));
        w = &f->window();
        QVERIFY(j->library().isOpen());
    }
    // Adds a record for a playlist entry of file while editing.
    void add(const QString& artist, const QString& file)
    {
        shownPlaylist(w->playlist).append({entryOfText(file)});
        w->playlist->setCurrentRow(w->playlist->count() - 1);
        w->artistField->setText(artist);
        w->titleField->setText("New Song");
        w->genreField->setText("Pop");
        j->updateStatus(); // enables Add
        w->addRecordButton->click();
    }
    void removeTitle(const QString& title)
    {
        for (int row = 0; row < w->titleList->count(); ++row)
            if (trimBlanks(visibleTextOfCodedEntry(w->titleList->text(row))) == title)
                w->titleList->setCurrentRow(row);
        w->removeRecordButton->click();
    }

private slots:
    void cleanup()
    {
        f.reset();
        j = nullptr;
        w = nullptr;
    }

    // Add appends in the file's own line end and encoding, after a line end the last line
    // lacked; Done writes the kept lines back byte for byte. The file then reads back as the
    // same records.
    void addAndDoneKeepTheFilesWay_data()
    {
        QTest::addColumn<QByteArrayList>("lines"); // of two records, the first removed by Done
        QTest::addColumn<QByteArray>("end");       // the file's line end
        QTest::addColumn<bool>("lastLineEnded");
        QTest::addColumn<QString>("artist");       // of the record added
        QTest::addColumn<QByteArray>("artistBytes");
        const QByteArrayList ascii{"Abba", "Waterloo", "Pop", "/m/w.mp3", "Blur", "Song 2", "Rock", "/m/s.mp3"};
        const QByteArrayList cp1252{"Beyonc\xe9", "Halo", "Pop", "/m/h.mp3", "Caf\xe9 Tacvba", "Eres", "Rock", "/m/\xe9.mp3"};
        const QByteArrayList mixed{"Bj\xc3\xb6rk", "Joga", "Pop", "/m/j.mp3", "Caf\xe9 Tacvba", "Eres", "Rock", "/m/e.mp3"};
        const QString zoe = QString::fromUtf8("Zo\xc3\xab");
        QTest::newRow("CR LF") << ascii << QByteArray("\r\n") << true << zoe << QByteArray("Zo\xc3\xab");
        QTest::newRow("LF only") << ascii << QByteArray("\n") << true << "Nina" << QByteArray("Nina");
        QTest::newRow("LF only, last line without one") << ascii << QByteArray("\n") << false << "Nina" << QByteArray("Nina");
        QTest::newRow("CR LF, last line without one") << ascii << QByteArray("\r\n") << false << "Nina" << QByteArray("Nina");
        QTest::newRow("Windows-1252") << cp1252 << QByteArray("\r\n") << true << zoe << QByteArray("Zo\xeb");
        QTest::newRow("Windows-1252, LF only") << cp1252 << QByteArray("\n") << true << zoe << QByteArray("Zo\xeb");
        QTest::newRow("Windows-1252, a text it has no bytes for")
            << cp1252 << QByteArray("\r\n") << true << QString::fromUtf8("\xce\xa9mega") << QByteArray("\xce\xa9mega");
        // Its Windows-1252 bytes would read back as UTF-8 ("é"): written as UTF-8 instead.
        QTest::newRow("Windows-1252, a text whose bytes read as UTF-8")
            << cp1252 << QByteArray("\r\n") << true << QString::fromUtf8("\xc3\x83\xc2\xa9") << QByteArray("\xc3\x83\xc2\xa9");
        QTest::newRow("mixed encodings") << mixed << QByteArray("\r\n") << true << zoe << QByteArray("Zo\xc3\xab");
    }
    void addAndDoneKeepTheFilesWay()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArray, end);
        QFETCH(bool, lastLineEnded);
        QFETCH(QString, artist);
        QFETCH(QByteArray, artistBytes);
        QByteArray bytes = lines.join(end) + end;
        if (!lastLineEnded)
            bytes.chop(end.size());
        start(bytes);
        const QByteArray added = artistBytes + end + "New Song" + end + "Pop" + end + "/m/new.mp3" + end;

        w->editDatabaseAction->trigger();
        add(artist, "/m/new.mp3");
        QCOMPARE(fileBytes(j->library().path()), bytes + (lastLineEnded ? QByteArray() : end) + added);
        removeTitle(QString::fromLatin1(lines[1]));
        w->doneEditingButton->click();

        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(fileBytes(j->library().path()), lines.mid(4).join(end) + end + added);
        Library reread;
        QVERIFY(reread.load(j->library().path()).opened);
        QCOMPARE(recordsOf(reread), recordsOf(j->library()));
        QCOMPARE(reread.record(2).artist, artist);
    }

    // A line break pasted or set into the artist, title or genre field becomes a blank.
    void fieldsKeepToOneLine()
    {
        start("Abba\r\nWaterloo\r\nPop\r\n/m/w.mp3\r\n");
        w->editDatabaseAction->trigger();
        for (QLineEdit* field : {w->artistField, w->titleField, w->genreField}) {
            field->setText("Multi\nLine");
            QCOMPARE(field->text(), QString("Multi Line"));
            field->clear();
            field->insert("a\r\nb"); // as a paste does
            QCOMPARE(field->text(), QString("a  b"));
        }
        shownPlaylist(w->playlist).append({entryOfText("/m/new.mp3")});
        w->playlist->setCurrentRow(0);
        w->artistField->setText("Two\nLines");
        w->titleField->setText("T");
        w->genreField->setText("G");
        j->updateStatus();
        w->addRecordButton->click();
        QCOMPARE(fileBytes(j->library().path()),
                 QByteArray("Abba\r\nWaterloo\r\nPop\r\n/m/w.mp3\r\nTwo Lines\r\nT\r\nG\r\n/m/new.mp3\r\n"));
    }

    // A file name a record cannot hold is refused by Add with a message naming it: the entry
    // stays in the playlist, and neither the table nor the file changes.
    void addRefusesAFileARecordCannotHold_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("told");
        QTest::newRow("ending in a blank") << "/m/trailing.wav " << "/m/trailing.wav : the name begins or ends with a blank";
        QTest::newRow("beginning with a blank") << " /m/leading.wav" << " /m/leading.wav: the name begins or ends with a blank";
        QTest::newRow("holding a line feed") << "/m/two\nlines.wav" << "/m/two\\nlines.wav: the name holds a line break";
        QTest::newRow("holding a carriage return") << "/m/a\r.wav" << "/m/a\\r.wav: the name holds a line break";
    }
    void addRefusesAFileARecordCannotHold()
    {
        QFETCH(QString, file);
        QFETCH(QString, told);
        const QByteArray bytes("Abba\r\nWaterloo\r\nPop\r\n/m/w.mp3\r\n");
        start(bytes);
        w->editDatabaseAction->trigger();
        add("Artist", file);
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY2(f->messageBox.shown[0].text.startsWith(told), qPrintable(f->messageBox.shown[0].text));
        QCOMPARE(w->playlist->count(), 1);
        QCOMPARE(j->library().recordCount(), 1);
        w->doneEditingButton->click();
        QCOMPARE(fileBytes(j->library().path()), bytes);
    }
};

QTEST_MAIN(TestDatabaseRoundTrips)
#include "tst_database_round_trips.moc"
