// Edit mode: New and Edit, Add, Remove, Done and its rewrite, and the shutdown that completes
// an edit. Faults on the file (full disk, read-only folder) are injected in this process.
#include "Form1Fixture.h"
#include "editor/DatabaseRewrite.h"
#include "editor/RecordEditor.h"
#include "library/DatabaseFormat.h"
#include "library/RecordCode.h"
#include "playback/StatusTimer.h"
#include "playlist/PlaylistEntry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Records 1..5 in table order.
const QList<QStringList> Records = {
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"The Examples", "First Song", "Pop", "/media/first.wav"},
    {"Granite", "Heavy Square", "Rock", "/media/heavy.wav"},
    {"Solo", "Lonely", "Jazz", "/media/lonely.wav"},
    {"Granite", "Pebble", "Rock", "/media/pebble.wav"},
};

const QString AllGenres = QStringLiteral("(All genres)");

QByteArray bytesOf(const LibraryTable& table)
{
    QByteArray data;
    for (int n = 1; n <= table.RecordCount(); ++n)
        data += formatRecord(table.record(n));
    return data;
}

QStringList titlesOf(const LibraryTable& table)
{
    QStringList out;
    for (int n = 1; n <= table.RecordCount(); ++n)
        out.append(table.record(n).Title);
    return out;
}

int rowOf(const QListWidget* list, const QString& visibleText)
{
    for (int i = 0; i < list->count(); ++i)
        if (trimBlanks(visibleTextOfCodedEntry(list->item(i)->text())) == visibleText)
            return i;
    return -1;
}

// While alive, files may not grow past `bytes`; a write past it fails instead of killing us.
class DiskFull
{
public:
    explicit DiskFull(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(bytes), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    sighandler_t oldHandler_ = nullptr;
};

// While alive, the folder is read-only and, when we are root, we act as the user "nobody"
// (root may write anywhere).
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder) : folder_(QFile::encodeName(folder))
    {
        chmod(folder_.constData(), 0555);
        if (geteuid() == 0 && (setegid(65534) != 0 || seteuid(65534) != 0))
            qFatal("cannot act as nobody");
    }
    ~ReadOnlyFolder()
    {
        if (getuid() == 0 && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("cannot act as root again");
        chmod(folder_.constData(), 0700);
    }

private:
    QByteArray folder_;
};

} // namespace

class TestRecordEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<Form1Fixture> f;
    Form1* form = nullptr;
    QString db;

    void startWith(const QList<QStringList>& records = Records)
    {
        f = std::make_unique<Form1Fixture>();
        db = f->writeDatabase("Music.VxDatabase", records);
        form = &f->start(db);
        QCOMPARE(form->library.RecordCount(), records.size());
    }
    void select(QListWidget* list, const QString& visibleText)
    {
        const int row = rowOf(list, visibleText);
        QVERIFY2(row >= 0, qPrintable(visibleText));
        list->setCurrentRow(row);
    }
    void fill(const QString& artist, const QString& title, const QString& genre)
    {
        form->Text4->setText(genre);
        form->Text1->setText(artist);
        form->Text2->setText(title);
        form->statusTimer->Timer1_Timer(); // enables Add
        QVERIFY(form->Command11->isEnabled());
    }
    QList<QAction*> blockedItems() const
    {
        return {form->EditVexolin, form->NewVexolin, form->DatabaseCheck, form->OpenDatabase,
                form->OpenPlaylist, form->SavePlaylist, form->CreateCD};
    }

private slots:
    void init() { startWith(); }
    void cleanup()
    {
        f.reset();
        form = nullptr;
    }

    void editAndDoneSwitchTheWindow()
    {
        form->EditVexolin->trigger();

        QVERIFY(form->inEditMode());
        for (QAction* item : blockedItems())
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {form->Exit, form->Search, form->DropBox, form->Remove, form->ClearPlaylist})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(!Form1Fixture::texts(form->Combo1).contains(AllGenres));
        QVERIFY(!form->Text4->isHidden() && !form->Command10->isHidden() && !form->Command11->isHidden());
        QVERIFY(!form->Command10->isEnabled());
        QVERIFY(form->Command6->isHidden());
        QVERIFY(form->Text1->text().isEmpty() && form->Text2->text().isEmpty() && form->Text4->text().isEmpty());

        // A choice of a genre only fills the genre field.
        const QStringList artists = Form1Fixture::texts(form->List1);
        form->Combo1->setCurrentIndex(form->Combo1->findText("Jazz"));
        QCOMPARE(form->Text4->text(), QString("Jazz"));
        QCOMPARE(Form1Fixture::texts(form->List1), artists);

        form->Command9->click();

        QVERIFY(!form->inEditMode());
        for (QAction* item : blockedItems())
            QVERIFY(item->isEnabled());
        QCOMPARE(Form1Fixture::texts(form->Combo1).count(AllGenres), 1);
        QCOMPARE(form->Combo1->currentText(), AllGenres);
        QCOMPARE(form->List1->count(), 3); // the filter ran on "(All genres)"
        QVERIFY(form->Text4->isHidden() && form->Command10->isHidden() && form->Command11->isHidden());
        QVERIFY(!form->Command6->isHidden());
        QVERIFY(form->Text1->text().isEmpty() && form->Text2->text().isEmpty());
        // Nothing removed: the file is not written.
        QCOMPARE(fileBytes(db), fileBytes(f->writeDatabase("expected", Records)));
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void newDatabase_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("file chosen") << true;
        QTest::newRow("dialog cancelled") << false;
    }
    void newDatabase()
    {
        QFETCH(bool, chosen);
        // An existing file of the chosen name is emptied.
        const QString target = f->writeFile("New.VxDatabase", "old content\r\n");
        if (chosen)
            f->fileDialog.answers = {target};

        form->NewVexolin->trigger();

        QCOMPARE(f->fileDialog.uses.size(), 1);
        QCOMPARE(f->fileDialog.uses[0].mode, FileDialog::Mode::Save);
        QCOMPARE(f->fileDialog.uses[0].filter, QString("Vexolin Database|*.vxdatabase"));
        QCOMPARE(f->fileDialog.uses[0].fileName, QString());
        QCOMPARE(form->Label12->text(), QString("Enter the filename for the new database..."));
        QVERIFY(form->Label12->isHidden());
        QVERIFY(form->inEditMode());
        QCOMPARE(form->database.path(), chosen ? target : db);
        QCOMPARE(fileBytes(target), chosen ? QByteArray() : QByteArray("old content\r\n"));
        // The table keeps the records of the database open before.
        QCOMPARE(form->library.RecordCount(), Records.size());

        // After a Remove (of nothing), Done writes all of them into the new file.
        form->editor->Command10_Click();
        form->Command9->click();
        QCOMPARE(fileBytes(form->database.path()), bytesOf(form->library));
        QCOMPARE(form->library.RecordCount(), Records.size());
    }

    void addStoresTheRecordAndOpensTheNextEntry_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("genre");
        QTest::addColumn<int>("newArtistEntries");
        QTest::addColumn<int>("newGenreEntries");
        QTest::newRow("new artist and genre") << " New Band  " << "Ska" << 1 << 1;
        QTest::newRow("listed artist, same case") << "Granite" << "Rock" << 0 << 0;
        QTest::newRow("listed artist, other case") << "GRANITE" << "Rock" << 1 << 0;
    }
    void addStoresTheRecordAndOpensTheNextEntry()
    {
        QFETCH(QString, artist);
        QFETCH(QString, genre);
        QFETCH(int, newArtistEntries);
        QFETCH(int, newGenreEntries);
        const QByteArray before = fileBytes(db);
        form->List3->addItems({"/in/one.wav", "/in/two.wav", "/in/three.wav"});
        form->EditVexolin->trigger();
        form->List3->setCurrentRow(1);
        QCOMPARE(form->PlaylistPosition, 2);
        const int artists = form->List1->count();
        const int genres = form->Combo1->count();
        f->player.calls.clear();
        fill(artist, "  a new title ", genre);

        form->Command11->click();

        const int n = Records.size() + 1;
        QCOMPARE(form->library.RecordCount(), n);
        const LibraryRecord& r = form->library.record(n);
        QCOMPARE(QStringList({r.Artist, r.Title, r.Genre, r.File}),
                 QStringList({artist.trimmed(), "a new title", genre, "/in/two.wav"}));
        // Appended as exactly four lines; the rest of the file is unchanged.
        QCOMPARE(fileBytes(db), before + formatRecord(r));
        QVERIFY(!form->DatabaseChanged);
        QCOMPARE(form->List1->count(), artists + newArtistEntries);
        QCOMPARE(form->Combo1->count(), genres + newGenreEntries);
        QVERIFY(Form1Fixture::texts(form->List2).contains(codedEntry(u"a new title", n)));
        // The entry is used up; entry 1 opens, then the entry at the unchanged position.
        QCOMPARE(Form1Fixture::texts(form->List3), QStringList({"/in/one.wav", "/in/three.wav"}));
        QCOMPARE(f->player.calls.filter("Open "), QStringList({"Open /in/one.wav", "Open /in/three.wav"}));
        QCOMPARE(form->List3->currentRow(), 1);
        QCOMPARE(form->PlaylistPosition, 2);
        // Ready for the next title of the same artist and genre.
        QCOMPARE(form->Text1->text(), artist);
        QCOMPARE(form->Text4->text(), genre);
        QVERIFY(form->Text2->text().isEmpty());
        QCOMPARE(form->focusWidget(), form->Text2);
        QCOMPARE(form->List2->currentRow(), -1);
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void addStoresThePathOfTheEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain, blanks kept inside") << "/in/a b.wav" << "/in/a b.wav";
        QTest::newRow("URL") << "http://radio.example/stream" << "http://radio.example/stream";
        QTest::newRow("marked, from a playlist file")
            << markedEntry(u"Someone - Something", u"/in/marked.wav") << "/in/marked.wav";
        QTest::newRow("library entry") << "library 4" << "/media/lonely.wav";
        QTest::newRow("longer than 255 characters") << "/" + QString(300, 'x') << "/" + QString(254, 'x');
    }
    void addStoresThePathOfTheEntry()
    {
        QFETCH(QString, entry);
        QFETCH(QString, file);
        if (entry == "library 4")
            entry = libraryEntry(form->library, 4);
        form->List3->addItem(entry);
        form->EditVexolin->trigger();
        form->List3->setCurrentRow(0);
        fill("A", "B", "C");

        form->Command11->click();

        QCOMPARE(form->library.record(Records.size() + 1).File, file);
        QVERIFY(fileBytes(db).endsWith(file.toUtf8() + "\r\n"));
    }

    void addOfTheLastEntryLeavesNoneSelected()
    {
        form->List3->addItems({"/in/one.wav", "/in/two.wav"});
        form->EditVexolin->trigger();
        form->List3->setCurrentRow(1);
        f->player.calls.clear();
        fill("A", "B", "C");

        form->Command11->click();

        QCOMPARE(Form1Fixture::texts(form->List3), QStringList{"/in/one.wav"});
        QCOMPARE(f->player.calls.filter("Open "), QStringList{"Open /in/one.wav"});
        QCOMPARE(form->List3->currentRow(), -1);
    }

    void enterOnTheFocusedAddButtonAdds_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("keypad Enter") << Qt::Key_Enter;
    }
    void enterOnTheFocusedAddButtonAdds()
    {
        QFETCH(Qt::Key, key);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->List3->addItem("/in/one.wav");
        form->EditVexolin->trigger();
        form->List3->setCurrentRow(0);
        fill("A", "B", "C");
        form->Text2->setFocus();
        QTest::keyClick(form->Text2, key); // moves the focus to Add
        QCOMPARE(QApplication::focusWidget(), form->Command11);

        QTest::keyClick(form->Command11, key);

        QCOMPARE(form->library.RecordCount(), Records.size() + 1);
        QCOMPARE(form->library.record(Records.size() + 1).File, QString("/in/one.wav"));
    }

    void addOfAFileAlreadyInTheDatabaseWarnsButStaysPossible()
    {
        form->List3->addItems({"/in/new.wav", "/MEDIA/heavy.wav"});
        form->EditVexolin->trigger();
        form->List3->setCurrentRow(0);
        fill("Someone", "Something", "Pop");

        form->Command11->click(); // the next entry opens and is checked

        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].title, QString("Warning..."));
        QCOMPARE(trimBlanks(form->Text1->text()), QString("Granite"));
        QCOMPARE(form->Text2->text(), QString("Heavy Square"));

        fill("Granite", "Heavy Square", "Rock");
        form->Command11->click();
        QCOMPARE(form->library.RecordCount(), Records.size() + 2);
        QCOMPARE(form->library.record(Records.size() + 2).File, QString("/MEDIA/heavy.wav"));
        QCOMPARE(form->List3->count(), 0);
    }

    void addRefusesWhatItCannotStore_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no database open") << "no database" << "No database is open";
        QTest::newRow("no playlist entry selected") << "no entry" << "Select the playlist entry";
        QTest::newRow("table full") << "full" << "The database is full";
    }
    void addRefusesWhatItCannotStore()
    {
        QFETCH(QString, situation);
        QFETCH(QString, reason);
        form->List3->addItems({"/in/one.wav"});
        form->EditVexolin->trigger();
        if (situation != "no entry")
            form->List3->setCurrentRow(0);
        if (situation == "no database")
            form->database.close();
        if (situation == "full")
            while (form->library.append(LibraryRecord::fromTexts(u"x", u"y", u"z", u"/f")))
                ;
        const int count = form->library.RecordCount();
        const QByteArray before = fileBytes(db);
        fill("A", "B", "C");

        form->Command11->click();

        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY2(f->messageBox.shown[0].text.startsWith(reason), qPrintable(f->messageBox.shown[0].text));
        QCOMPARE(form->library.RecordCount(), count);
        QCOMPARE(form->List3->count(), 1);
        QCOMPARE(form->Text2->text(), QString("B"));
        QCOMPARE(fileBytes(db), before);
    }

    void failedAppendIsReportedAndKeptForDone()
    {
        form->List3->addItems({"/in/one.wav"});
        form->EditVexolin->trigger();
        form->List3->setCurrentRow(0);
        const QByteArray before = fileBytes(db);
        fill("A", "B", "C");
        {
            const DiskFull full(before.size() + 10);
            form->Command11->click();
        }
        QCOMPARE(fileBytes(db), before); // not a byte of the record
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(f->messageBox.shown[0].text.contains(db));
        QVERIFY(f->messageBox.shown[0].text.contains("kept"));
        QCOMPARE(form->library.RecordCount(), Records.size() + 1);
        QVERIFY(form->DatabaseChanged);

        form->Command9->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
        QCOMPARE(form->library.record(Records.size() + 1).File, QString("/in/one.wav"));
    }

    void removeTitle_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("titlesLeft"); // of the artist, still listed and selected
        QTest::newRow("one of several titles") << "Granite" << "Heavy Square" << QStringList{"Pebble", "Stone Cold"};
        QTest::newRow("the only title") << "Solo" << "Lonely" << QStringList{};
    }
    void removeTitle()
    {
        QFETCH(QString, artist);
        QFETCH(QString, title);
        QFETCH(QStringList, titlesLeft);
        const QByteArray before = fileBytes(db);
        form->EditVexolin->trigger();
        select(form->List1, artist);
        select(form->List2, title); // clears the artist selection
        QCOMPARE(form->List1->currentRow(), -1);
        QVERIFY(form->Command10->isEnabled());

        form->Command10->click();

        QStringList all;
        for (const QStringList& r : Records)
            all.append(r[1]);
        all.removeOne(title);
        QCOMPARE(titlesOf(form->library), all);
        QCOMPARE(fileBytes(db), before); // written only by Done
        QVERIFY(form->DatabaseChanged);
        const bool listed = rowOf(form->List1, artist) >= 0;
        QCOMPARE(listed, !titlesLeft.isEmpty());
        if (listed) {
            QCOMPARE(trimBlanks(form->List1->currentItem()->text()), artist);
            QStringList shown;
            for (const QString& t : Form1Fixture::texts(form->List2)) {
                shown.append(visibleTextOfCodedEntry(t).toString());
                // Each entry names its record in the renumbered table.
                QCOMPARE(form->library.record(recordOfCodedEntry(t)).Title, shown.last());
            }
            QCOMPARE(shown, titlesLeft);
        }

        form->Command9->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
        QVERIFY(!form->DatabaseChanged);
    }

    void removeArtistRemovesEveryTitle()
    {
        form->EditVexolin->trigger();
        select(form->List1, "Granite");

        form->Command10->click();

        QCOMPARE(titlesOf(form->library), QStringList({"First Song", "Lonely"}));
        QCOMPARE(rowOf(form->List1, "Granite"), -1);
        QCOMPARE(form->List1->count(), 2);
        form->Command9->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
    }

    void removeWithNothingSelectedStillRewrites()
    {
        form->EditVexolin->trigger();
        f->writeFile("Music.VxDatabase", "changed behind our back\r\n");

        form->editor->Command10_Click();
        QCOMPARE(form->library.RecordCount(), Records.size());
        QVERIFY(form->DatabaseChanged);
        form->Command9->click();

        QCOMPARE(fileBytes(db), fileBytes(f->writeDatabase("expected", Records)));
    }

    void titlesOfUnlistedArtistsKeepTheirRecords()
    {
        // Only Jazz artists are listed; in edit mode Show all lists every title.
        form->Combo1->setCurrentIndex(form->Combo1->findText("Jazz"));
        form->EditVexolin->trigger();
        form->Command12->click();
        select(form->List2, "Stone Cold"); // record 1, of an artist not listed
        form->Command10->click();
        select(form->List2, "Pebble");     // was record 5
        form->Command10->click();

        QCOMPARE(titlesOf(form->library), QStringList({"First Song", "Heavy Square", "Lonely"}));
    }

    void playlistEntriesKeepTheirFilesAfterARemoval()
    {
        for (int n : {2, 3, 5})
            form->List3->addItem(libraryEntry(form->library, n));
        form->EditVexolin->trigger();
        select(form->List2, "Heavy Square"); // record 3
        form->Command10->click();

        QCOMPARE(entryKindForPlayer(form->List3->item(1)->text()), EntryKind::Marked);
        QVERIFY(form->List3->item(1)->text().startsWith(libraryEntry(form->library, 1).left(40)));
        f->player.calls.clear();
        for (int row = 0; row < 3; ++row)
            form->List3->setCurrentRow(row);
        QStringList files;
        for (const QString& call : f->player.calls.filter("Open "))
            files.append(call.mid(5).trimmed());
        QCOMPARE(files, QStringList({"/media/first.wav", "/media/heavy.wav", "/media/pebble.wav"}));
    }

    void failedRewriteKeepsTheOldFileAndTheRemovals_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << "disk full" << "";
        QTest::newRow("read-only folder") << "read-only" << "";
        QTest::newRow("no database open") << "none open" << "no database is open";
    }
    void failedRewriteKeepsTheOldFileAndTheRemovals()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        // Others may pass through the scratch folder: only the database's own folder is closed.
        chmod(QFile::encodeName(f->dir.path()).constData(), 0755);
        const QString folder = f->dir.filePath("ro");
        QVERIFY(QDir().mkpath(folder));
        db = f->writeDatabase("ro/Music.VxDatabase", Records);
        QVERIFY(form->database.openForAppend(db));
        const QByteArray before = fileBytes(db);
        form->EditVexolin->trigger();
        select(form->List1, "Solo");
        form->Command10->click();
        if (fault == "none open")
            form->database.close();
        {
            std::unique_ptr<DiskFull> full;
            std::unique_ptr<ReadOnlyFolder> readOnly;
            if (fault == "disk full")
                full = std::make_unique<DiskFull>(20);
            if (fault == "read-only")
                readOnly = std::make_unique<ReadOnlyFolder>(folder);
            form->Command9->click();
        }

        QVERIFY(!form->inEditMode());
        QCOMPARE(fileBytes(db), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"Music.VxDatabase"});
        QVERIFY(form->DatabaseChanged);
        QCOMPARE(f->messageBox.shown.size(), 1);
        const QString text = f->messageBox.shown[0].text;
        QVERIFY2(text.contains("could not be saved"), qPrintable(text));
        QVERIFY2(text.contains(reason.isEmpty() ? db : reason), qPrintable(text));

        if (fault == "none open")
            return;
        // The next Done stores the removals.
        form->EditVexolin->trigger();
        form->Command9->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
        QCOMPARE(form->library.RecordCount(), Records.size() - 1);
        QVERIFY(!form->DatabaseChanged);
        QVERIFY(form->database.isOpen());
    }

    void closingCompletesTheEdit_data()
    {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("window closed") << false;
        QTest::newRow("File > Exit") << true;
    }
    void closingCompletesTheEdit()
    {
        QFETCH(bool, byMenu);
        form->show();
        form->EditVexolin->trigger();
        select(form->List1, "Solo");
        form->Command10->click();

        if (byMenu)
            form->Exit->trigger();
        else
            form->close();

        QVERIFY(!form->isVisible());
        QVERIFY(!form->inEditMode());
        QCOMPARE(titlesOf(form->library), QStringList({"Stone Cold", "First Song", "Heavy Square", "Pebble"}));
        QCOMPARE(fileBytes(db), bytesOf(form->library));
    }
};

QTEST_MAIN(TestRecordEditor)
#include "tst_RecordEditor.moc"
