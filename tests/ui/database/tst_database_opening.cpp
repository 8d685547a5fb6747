#include "JukeboxFixture.h"
#include "core/DatabaseLoader.h"
#include "core/RecordCode.h"
#include "core/PlaylistEntry.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

namespace {
QString padded(const QString& s, int width) { return s.leftJustified(width, ' ', true); }

// Notes, for each paint of a widget, how many records the library held at that moment.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget* widget, const Form1& form) : form_(form) { widget->installEventFilter(this); }
    QList<int> recordsAtPaint;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            recordsAtPaint.append(form_.library.recordCount());
        return false;
    }

private:
    const Form1& form_;
};
} // namespace

class TestDatabaseLoader : public QObject
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
        Form1& form = f.start(db);

        QCOMPARE(form.library.recordCount(), 6);
        // Artists distinct ignoring case, first spelling wins, as stored (40 characters);
        // a leading blank makes another artist.
        QCOMPARE(JukeboxFixture::texts(form.artistList),
                 (QStringList{padded(" Abba", 40), padded("Abba", 40), padded("Beatles", 40), padded("zz top", 40)}));
        // Genres trimmed, distinct ignoring case; the empty genre sorts before "(All genres)".
        QCOMPARE(JukeboxFixture::texts(form.genreFilter), (QStringList{"", "(All genres)", "Pop", "Rock"}));
        QCOMPARE(form.genreFilter->currentText(), QString("(All genres)"));
        // One coded title per record, titles never merged.
        const QStringList titles = JukeboxFixture::texts(form.titleList);
        QCOMPARE(titles.size(), 6);
        QStringList visible;
        QList<int> records;
        for (const QString& t : titles) {
            visible << visibleTextOfCodedEntry(t).toString();
            records << recordOfCodedEntry(t);
        }
        QCOMPARE(visible, (QStringList{"Help", "Help", "Legs", "Mamma Mia", "SOS", "Waterloo"}));
        QCOMPARE(records, (QList<int>{5, 6, 4, 2, 3, 1}));
        QCOMPARE(form.database.path(), db);
        QVERIFY(form.database.isOpen());
        QVERIFY(!form.playlist->isHidden());
        QCOMPARE(form.waitNotice->text(), QString("Adding files, please wait..."));
    }

    // The window is shown with the wait notice before the first record is read, not blank.
    void startUpPaintsTheWaitNoticeBeforeLoading()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}});
        const PaintWatch watch(f.form->waitNotice, *f.form);
        f.start(db);
        QVERIFY(watch.recordsAtPaint.contains(0));
        QCOMPARE(f.form->library.recordCount(), 1);
    }

    void emptyFileIsAnEmptyOpenDatabase()
    {
        JukeboxFixture f;
        const QString db = f.writeFile("Empty.VXDATABASE", {});
        Form1& form = f.start(db);
        QCOMPARE(form.library.recordCount(), 0);
        QCOMPARE(form.artistList->count() + form.titleList->count(), 0);
        QCOMPARE(JukeboxFixture::texts(form.genreFilter), QStringList{"(All genres)"});
        QVERIFY(form.database.isOpen());
    }

    void failedLoadsKeepCompleteRecordsAndOpenNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::newRow("last record has two lines") << QByteArray("A\r\nT\r\nG\r\n/f\r\nB\r\nU\r\n") << 1;
        QTest::newRow("trailing empty line") << QByteArray("A\r\nT\r\nG\r\n/f\r\n\r\n") << 1;
        QTest::newRow("binary garbage") << QByteArray("\x00\xff\r\x80\n\r\r\r\xfe", 9) << 1;
    }
    void failedLoadsKeepCompleteRecordsAndOpenNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        JukeboxFixture f;
        Form1& form = f.start(f.writeFile("Bad.VxDatabase", bytes));
        QCOMPARE(form.library.recordCount(), records);
        QCOMPARE(form.titleList->count(), records);
        QVERIFY(!form.database.isOpen());
        QVERIFY(form.database.path().isEmpty());
        QVERIFY(!form.playlist->isHidden());
    }

    void unreadableDatabasesOpenNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.VxDatabase";
        QTest::newRow("a directory") << "folder.VxDatabase";
    }
    void unreadableDatabasesOpenNothing()
    {
        QFETCH(QString, name);
        JukeboxFixture f;
        QDir(f.dir.path()).mkdir("folder.VxDatabase");
        Form1& form = f.start(f.dir.filePath(name));
        QCOMPARE(form.library.recordCount(), 0);
        QVERIFY(!form.database.isOpen());
        QVERIFY(!form.playlist->isHidden());
    }

    void overfullFileLoadsTheFirst25000()
    {
        JukeboxFixture f;
        QByteArray bytes;
        for (int i = 0; i <= LibraryCapacity; ++i)
            bytes += "A" + QByteArray::number(i % 7) + "\r\nT" + QByteArray::number(i) + "\r\nG\r\n/f\r\n";
        Form1& form = f.start(f.writeFile("Big.VxDatabase", bytes));
        QCOMPARE(form.library.recordCount(), LibraryCapacity);
        QCOMPARE(form.titleList->count(), LibraryCapacity);
        QCOMPARE(form.artistList->count(), 7);
        QVERIFY(!form.database.isOpen());
    }

    void portablePathsResolveAgainstTheDatabaseFolder()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("Cd.VxDatabase", {{"A", "T", "G", "#:\\mediafiles\\a.mp3"}});
        Form1& form = f.start(db);
        QCOMPARE(trimBlanks(form.library.File(1)).toString(), f.dir.path() + "/mediafiles/a.mp3");
    }

    void openDatabaseReplacesTheLibrary()
    {
        JukeboxFixture f;
        Form1& form = f.start(f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}}));
        const QString two = f.writeDatabase("Two.VxDatabase", {{"B", "U", "Rock", "/b"}, {"C", "V", "Rock", "/c"}});
        f.fileDialog.fileName = "leftover";
        f.fileDialog.answers << two;
        form.openDatabaseAction->trigger();
        QCOMPARE(f.fileDialog.uses.size(), 1);
        QCOMPARE(f.fileDialog.uses[0].filter, QString("Vexolin Database|*.vxdatabase"));
        QVERIFY(f.fileDialog.uses[0].fileName.isEmpty());
        QCOMPARE(form.library.recordCount(), 2);
        QCOMPARE(JukeboxFixture::texts(form.genreFilter), (QStringList{"(All genres)", "Rock"}));
        QCOMPARE(form.artistList->count(), 2);
        QCOMPARE(form.titleList->count(), 2);
        QCOMPARE(form.database.path(), two);
        QVERIFY(!form.playlist->isHidden());
    }

    // Record numbers of one database mean nothing in another: the playlist's library entries keep
    // the files they played, and removals waiting for a rewrite are dropped with their database.
    void openDatabaseDetachesThePlaylistFromTheOldRecords()
    {
        JukeboxFixture f;
        Form1& form = f.start(f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}, {"B", "U", "Jazz", "/b"}}));
        const QString entry = libraryEntry(form.library, 2);
        form.playlist->addItem(entry);
        form.playlist->addItem("plain");
        form.DatabaseChanged = true;
        f.fileDialog.answers << f.writeDatabase("Two.VxDatabase", {{"C", "V", "Rock", "/c"}, {"D", "W", "Rock", "/d"}});
        form.openDatabaseAction->trigger();
        QCOMPARE(f.fileDialog.uses[0].title, QString("Open Database"));
        QCOMPARE(form.library.recordCount(), 2);
        QCOMPARE(JukeboxFixture::texts(form.playlist),
                 (QStringList{markedEntry(QStringView(entry).left(entry.indexOf(NBSP)), u"/b"), "plain"}));
        QVERIFY(!form.DatabaseChanged);
    }

    void cancelledOpenChangesNothing()
    {
        JukeboxFixture f;
        const QString one = f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}});
        Form1& form = f.start(one);
        form.playlist->addItem("kept");
        form.openDatabaseAction->trigger(); // no answer queued: cancelled
        QCOMPARE(form.library.recordCount(), 1);
        QCOMPARE(form.database.path(), one);
        QVERIFY(form.database.isOpen());
        QCOMPARE(JukeboxFixture::texts(form.genreFilter), (QStringList{"(All genres)", "Jazz"}));
        QCOMPARE(form.playlist->count(), 1);
        QVERIFY(!form.playlist->isHidden());
    }

    void failedOpenLeavesNoDatabaseToRewrite()
    {
        JukeboxFixture f;
        Form1& form = f.start(f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}}));
        f.fileDialog.answers << f.writeFile("Broken.VxDatabase", "A\r\nT\r\n");
        form.openDatabaseAction->trigger();
        QVERIFY(!form.database.isOpen());
        QVERIFY(form.database.path().isEmpty());
        QCOMPARE(form.library.recordCount(), 0);
    }

    void loadedDatabaseIsOpenForAppending()
    {
        JukeboxFixture f;
        const QString db = f.writeDatabase("One.VxDatabase", {{"A", "T", "Jazz", "/a"}});
        Form1& form = f.start(db);
        QVERIFY(form.database.append(LibraryRecord::fromTexts(u"B", u"U", u"Rock", u"/b")));
        QFile file(db);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("A\r\nT\r\nJazz\r\n/a\r\nB\r\nU\r\nRock\r\n/b\r\n"));
    }
};

QTEST_MAIN(TestDatabaseLoader)
#include "tst_database_opening.moc"
