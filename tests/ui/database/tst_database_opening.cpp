#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/editor/RecordEditor.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>

namespace {
QString padded(const QString& s, int width) { return s.leftJustified(width, ' ', true); }

// Notes, for each paint of a widget, how many records the library held at that moment.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget* widget, const Library& library) : library_(library) { widget->installEventFilter(this); }
    QList<int> recordsAtPaint;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            recordsAtPaint.append(library_.recordCount());
        return false;
    }

private:
    const Library& library_;
};
} // namespace

class TestDatabaseOpening : public QObject
{
    Q_OBJECT
private slots:
    void loadFillsTableAndSortedLists()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("Music.VxDatabase", {
            {"Abba", "Waterloo", "Pop", "/m/1.mp3"},
            {"ABBA", "Mamma Mia", "pop ", "/m/2.mp3"},
            {" Abba", "SOS", " POP", "/m/3.mp3"},
            {"zz top", "Legs", "Rock", "/m/4.mp3"},
            {"Beatles", "Help", "", "/m/5.mp3"},
            {"Beatles", "Help", "Rock", "/m/6.mp3"},
        });
        Jukebox& j = f.start(db);
        MainWindow& window = j.window();

        QCOMPARE(j.library().recordCount(), 6);
        // Artists distinct ignoring case, first spelling wins, as stored (40 characters);
        // a leading blank makes another artist.
        QCOMPARE(JukeboxFixture::texts(window.artistList),
                 (QStringList{padded(" Abba", 40), padded("Abba", 40), padded("Beatles", 40), padded("zz top", 40)}));
        // Genres trimmed, distinct ignoring case; the empty genre sorts before "(All genres)".
        QCOMPARE(JukeboxFixture::texts(window.genreFilter), (QStringList{"", "(All genres)", "Pop", "Rock"}));
        QCOMPARE(window.genreFilter->currentText(), QString("(All genres)"));
        // One coded title per record, titles never merged.
        const QStringList titles = JukeboxFixture::texts(window.titleList);
        QCOMPARE(titles.size(), 6);
        QStringList visible;
        QList<int> records;
        for (const QString& t : titles) {
            visible << visibleTextOfCodedEntry(t).toString();
            records << recordOfCodedEntry(t);
        }
        QCOMPARE(visible, (QStringList{"Help", "Help", "Legs", "Mamma Mia", "SOS", "Waterloo"}));
        QCOMPARE(records, (QList<int>{5, 6, 4, 2, 3, 1}));
        QCOMPARE(j.library().path(), db);
        QVERIFY(j.library().isOpen());
        QVERIFY(!window.playlist->isHidden());
        QCOMPARE(window.waitNotice->text(), QString("Adding files, please wait..."));
    }

    // The window is shown with the wait notice before the first record is read, not blank.
    void startUpPaintsTheWaitNoticeBeforeLoading()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}});
        const PaintWatch watch(f.window().waitNotice, f.jukebox->library());
        Jukebox& j = f.start(db);
        QVERIFY(watch.recordsAtPaint.contains(0));
        QCOMPARE(j.library().recordCount(), 1);
    }

    void emptyFileIsAnEmptyOpenDatabase()
    {
        JukeboxFixture f;
        const QString db = f.writeFile("Empty.VXDATABASE", {});
        Jukebox& j = f.start(db);
        MainWindow& window = j.window();
        QCOMPARE(j.library().recordCount(), 0);
        QCOMPARE(window.artistList->count() + window.titleList->count(), 0);
        QCOMPARE(JukeboxFixture::texts(window.genreFilter), QStringList{"(All genres)"});
        QVERIFY(j.library().isOpen());
    }

    // A last record of fewer than four lines is left out and quoted to the user; the database is
    // open all the same, and the next Add leaves the file holding whole records only, the new one
    // last.
    void incompleteLastRecordIsToldAndAddStillWorks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("leftOut");
        QTest::newRow("last record has two lines") << QByteArray("A\r\nT\r\nG\r\n/f\r\nB\r\nU\r\n")
                                                   << QStringList{"B", "U"};
        QTest::newRow("trailing empty line") << QByteArray("A\r\nT\r\nG\r\n/f\r\n\r\n") << QStringList{""};
        QTest::newRow("unfinished last line") << QByteArray("A\r\nT\r\nG\r\n/f\r\nHalf") << QStringList{"Half"};
    }
    void incompleteLastRecordIsToldAndAddStillWorks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, leftOut);
        JukeboxFixture f;
        const QString path = f.writeFile("Cut.VxDatabase", bytes);
        Jukebox& j = f.start(path);
        MainWindow& window = j.window();
        QCOMPARE(j.library().recordCount(), 1);
        QCOMPARE(window.titleList->count(), 1);
        QVERIFY(j.library().isOpen());
        QCOMPARE(f.messageBox.shown.size(), 1);
        for (const QString& line : leftOut)
            QVERIFY2(f.messageBox.shown[0].text.contains('"' + line + '"'), qPrintable(f.messageBox.shown[0].text));
        QVERIFY(f.messageBox.shown[0].text.contains(path));
        QVERIFY(!window.playlist->isHidden());

        shownPlaylist(window.playlist).append({entryOfText("/new.mp3")});
        j.editor().startEditing();
        window.playlist->setCurrentRow(0);
        window.artistField->setText("New");
        window.titleField->setText("Song");
        window.genreField->setText("Pop");
        j.editor().addRecord();
        QCOMPARE(f.messageBox.shown.size(), 1);
        QCOMPARE(fileBytes(path), QByteArray("A\r\nT\r\nG\r\n/f\r\nNew\r\nSong\r\nPop\r\n/new.mp3\r\n"));
    }

    void unreadableDatabasesOpenNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("told");
        QTest::newRow("missing") << "missing.VxDatabase" << ": No such file or directory\n\nNothing was loaded.";
        QTest::newRow("a directory") << "folder.VxDatabase" << ": is a directory\n\nNothing was loaded.";
        QTest::newRow("a FIFO") << "fifo.VxDatabase" << ": is not a regular file\n\nNothing was loaded.";
        QTest::newRow("a link to /dev/zero") << "zero.VxDatabase" << ": is not a regular file\n\nNothing was loaded.";
        QTest::newRow("NUL bytes in the first line") << "nul.VxDatabase"
                                                     << ": line 1 holds NUL bytes, so the file is damaged from there on\n\n"
                                                        "Nothing was loaded.";
    }
    void unreadableDatabasesOpenNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, told);
        JukeboxFixture f;
        QDir(f.dir.path()).mkdir("folder.VxDatabase");
        QVERIFY(::mkfifo(QFile::encodeName(f.dir.filePath("fifo.VxDatabase")).constData(), 0600) == 0);
        QVERIFY(QFile::link("/dev/zero", f.dir.filePath("zero.VxDatabase")));
        f.writeFile("nul.VxDatabase", QByteArray(64, '\0') + "\r\nT\r\nG\r\n/f\r\n");
        const QString path = f.dir.filePath(name);
        Jukebox& j = f.start(path); // the test's timeout guards against a hang here
        MainWindow& window = j.window();
        QCOMPARE(j.library().recordCount(), 0);
        QVERIFY(!j.library().isOpen());
        QVERIFY(j.library().path().isEmpty());
        QVERIFY(!window.playlist->isHidden());
        QCOMPARE(f.messageBox.shown.size(), 1);
        QCOMPARE(f.messageBox.shown[0].text, path + told);
    }

    void overfullFileLoadsTheFirst25000()
    {
        JukeboxFixture f;
        QByteArray bytes;
        for (int i = 0; i <= LibraryCapacity; ++i)
            bytes += "A" + QByteArray::number(i % 7) + "\r\nT" + QByteArray::number(i) + "\r\nG\r\n/f\r\n";
        const QString path = f.writeFile("Big.VxDatabase", bytes);
        Jukebox& j = f.start(path);
        MainWindow& window = j.window();
        QCOMPARE(j.library().recordCount(), LibraryCapacity);
        QCOMPARE(window.titleList->count(), LibraryCapacity);
        QCOMPARE(window.artistList->count(), 7);
        QVERIFY(!j.library().isOpen());
        QCOMPARE(f.messageBox.shown.size(), 1);
        QVERIFY2(f.messageBox.shown[0].text.startsWith(
                     path + " holds more records than the library takes: the first 25000 records were loaded."),
                 qPrintable(f.messageBox.shown[0].text));
    }

    // A crash can leave NUL bytes at the end of a database: the records before the damage load
    // for browsing only; the message says from which line; Add and Done say why they cannot write,
    // and the file is never written.
    void damagedDatabaseLoadsUpToTheDamageForBrowsing()
    {
        JukeboxFixture f;
        const QByteArray bytes = QByteArray("A\r\nT\r\nG\r\n/f\r\nB\r\nU\r\n") + QByteArray(64, '\0');
        const QString path = f.writeFile("Crashed.VxDatabase", bytes);
        Jukebox& j = f.start(path);
        MainWindow& window = j.window();
        QCOMPARE(j.library().recordCount(), 1);
        QCOMPARE(window.titleList->count(), 1);
        QVERIFY(!j.library().isOpen());
        QCOMPARE(f.messageBox.shown.size(), 1);
        const QString told = f.messageBox.shown[0].text;
        QVERIFY2(told.startsWith(path + ": line 7 holds NUL bytes"), qPrintable(told));
        QVERIFY2(told.contains("browsing only"), qPrintable(told));

        shownPlaylist(window.playlist).append({entryOfText("/new.mp3")});
        j.editor().startEditing();
        window.playlist->setCurrentRow(0);
        window.artistField->setText("New");
        window.titleField->setText("Song");
        window.genreField->setText("Pop");
        j.editor().addRecord();
        j.library().remove(1);
        j.editor().finishEditing();
        QCOMPARE(f.messageBox.shown.size(), 3);
        for (int shown : {1, 2}) {
            const QString text = f.messageBox.shown[shown].text;
            QVERIFY2(text.contains(path + ": line 7 holds NUL bytes") && text.contains("browsing only"), qPrintable(text));
        }
        QCOMPARE(window.playlist->count(), 1); // Add took nothing
        QCOMPARE(fileBytes(path), bytes);
    }

    void portablePathsResolveAgainstTheDatabaseFolder()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("Cd.VxDatabase", {{"A", "T", "G", "#:\\mediafiles\\a.mp3"}});
        Jukebox& j = f.start(db);
        QCOMPARE(trimBlanks(j.library().table().paddedFile(1)).toString(), f.dir.path() + "/mediafiles/a.mp3");
    }

    void openDatabaseReplacesTheLibrary()
    {
        JukeboxFixture f;
        Jukebox& j = f.start(f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}}));
        MainWindow& window = j.window();
        const QString two = f.writeDatabase("Two.VxDatabase", {{"B", "U", "Rock", "/b"}, {"C", "V", "Rock", "/c"}});
        // A file chosen by an earlier dialog is not offered.
        f.fileDialog.answers << "leftover" << two;
        f.fileDialog.showOpen(nullptr, {});
        QCOMPARE(f.fileDialog.fileName(), QString("leftover"));
        window.openDatabaseAction->trigger();
        QCOMPARE(f.fileDialog.uses.size(), 2);
        QCOMPARE(f.fileDialog.uses[1].filter, QString("Vexolin Database|*.vxdatabase"));
        QVERIFY(f.fileDialog.uses[1].fileName.isEmpty());
        QCOMPARE(j.library().recordCount(), 2);
        QCOMPARE(JukeboxFixture::texts(window.genreFilter), (QStringList{"(All genres)", "Rock"}));
        QCOMPARE(window.artistList->count(), 2);
        QCOMPARE(window.titleList->count(), 2);
        QCOMPARE(j.library().path(), two);
        QVERIFY(!window.playlist->isHidden());
    }

    // Record numbers of one database mean nothing in another: the playlist's library entries keep
    // the files they played, and removals waiting for a rewrite are dropped with their database.
    void openDatabaseDetachesThePlaylistFromTheOldRecords()
    {
        JukeboxFixture f;
        Jukebox& j = f.start(f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"},
                                                                {"B", "U", "Jazz", "/b"},
                                                                {"E", "X", "Jazz", "/e"}}));
        MainWindow& window = j.window();
        const PlaylistEntry entry = libraryEntry(j.library().table(), 2);
        shownPlaylist(window.playlist).append({entry, entryOfText("plain")});
        j.library().remove(3); // waits for a rewrite
        QVERIFY(j.library().needsRewrite());
        f.fileDialog.answers << f.writeDatabase("Two.VxDatabase", {{"C", "V", "Rock", "/c"}, {"D", "W", "Rock", "/d"}});
        f.messageBox.answers = {MessageBox::Answer::Discard};
        window.openDatabaseAction->trigger();
        QCOMPARE(f.messageBox.asked.size(), 1);
        QCOMPARE(f.fileDialog.uses[0].title, QString("Open Database"));
        QCOMPARE(j.library().recordCount(), 2);
        QCOMPARE(shownPlaylist(window.playlist).entries(),
                 (QList<PlaylistEntry>{markedEntry(QStringView(entry.text).left(entry.text.indexOf(NBSP)), u"/b"),
                                       entryOfText("plain")}));
        QVERIFY(!j.library().needsRewrite());
    }

    void cancelledOpenChangesNothing()
    {
        JukeboxFixture f;
        const QString one = f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}});
        Jukebox& j = f.start(one);
        MainWindow& window = j.window();
        shownPlaylist(window.playlist).append({entryOfText("kept")});
        window.openDatabaseAction->trigger(); // no answer queued: cancelled
        QCOMPARE(j.library().recordCount(), 1);
        QCOMPARE(j.library().path(), one);
        QVERIFY(j.library().isOpen());
        QCOMPARE(JukeboxFixture::texts(window.genreFilter), (QStringList{"(All genres)", "Jazz"}));
        QCOMPARE(window.playlist->count(), 1);
        QVERIFY(!window.playlist->isHidden());
    }

    void failedOpenLeavesNoDatabaseToRewrite()
    {
        JukeboxFixture f;
        Jukebox& j = f.start(f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}}));
        MainWindow& window = j.window();
        f.fileDialog.answers << f.dir.filePath("Missing.VxDatabase");
        window.openDatabaseAction->trigger();
        QVERIFY(!j.library().isOpen());
        QVERIFY(j.library().path().isEmpty());
        QCOMPARE(j.library().recordCount(), 0);
    }

    void loadedDatabaseIsOpenForAppending()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}});
        Jukebox& j = f.start(db);
        const int n = j.library().add(LibraryRecord::fromTexts(u"B", u"U", u"Rock", u"/b"));
        QCOMPARE(n, 2);
        QVERIFY(j.library().appendToFile(n));
        QFile file(db);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("A\r\nT\r\nJazz\r\n/a\r\nB\r\nU\r\nRock\r\n/b\r\n"));
    }
};

QTEST_MAIN(TestDatabaseOpening)
#include "tst_database_opening.moc"
