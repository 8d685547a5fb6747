// Edit mode: New and Edit, Add, Remove, Done and its rewrite, and the shutdown that completes
// an edit. Faults on the file (full disk, read-only folder) are injected in this process.
#include "JukeboxFixture.h"
#include "editor/DatabaseRewrite.h"
#include "editor/RecordEditor.h"
#include "core/DatabaseFormat.h"
#include "core/RecordCode.h"
#include "playback/StatusTimer.h"
#include "core/PlaylistEntry.h"

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
    for (int n = 1; n <= table.recordCount(); ++n)
        data += formatRecord(table.record(n));
    return data;
}

QStringList titlesOf(const LibraryTable& table)
{
    QStringList out;
    for (int n = 1; n <= table.recordCount(); ++n)
        out.append(table.record(n).title);
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

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;
    QString db;

    void startWith(const QList<QStringList>& records = Records)
    {
        f = std::make_unique<JukeboxFixture>();
        db = f->writeDatabase("Music.VxDatabase", records);
        form = &f->start(db);
        QCOMPARE(form->library.recordCount(), records.size());
    }
    void select(QListWidget* list, const QString& visibleText)
    {
        const int row = rowOf(list, visibleText);
        QVERIFY2(row >= 0, qPrintable(visibleText));
        list->setCurrentRow(row);
    }
    void fill(const QString& artist, const QString& title, const QString& genre)
    {
        form->genreField->setText(genre);
        form->artistField->setText(artist);
        form->titleField->setText(title);
        form->statusTimer->Timer1_Timer(); // enables Add
        QVERIFY(form->addRecordButton->isEnabled());
    }
    QList<QAction*> blockedItems() const
    {
        return {form->editDatabaseAction, form->newDatabaseAction, form->checkDatabaseAction, form->openDatabaseAction,
                form->openPlaylistAction, form->savePlaylistAction, form->createCdAction};
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
        form->editDatabaseAction->trigger();

        QVERIFY(form->inEditMode());
        for (QAction* item : blockedItems())
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {form->exitAction, form->searchAction, form->dropBoxAction, form->removeAction, form->clearPlaylistAction})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(!JukeboxFixture::texts(form->genreFilter).contains(AllGenres));
        QVERIFY(!form->genreField->isHidden() && !form->removeRecordButton->isHidden() && !form->addRecordButton->isHidden());
        QVERIFY(!form->removeRecordButton->isEnabled());
        QVERIFY(form->allToPlaylistButton->isHidden());
        QVERIFY(form->artistField->text().isEmpty() && form->titleField->text().isEmpty() && form->genreField->text().isEmpty());

        // A choice of a genre only fills the genre field.
        const QStringList artists = JukeboxFixture::texts(form->artistList);
        form->genreFilter->setCurrentIndex(form->genreFilter->findText("Jazz"));
        QCOMPARE(form->genreField->text(), QString("Jazz"));
        QCOMPARE(JukeboxFixture::texts(form->artistList), artists);

        form->doneEditingButton->click();

        QVERIFY(!form->inEditMode());
        for (QAction* item : blockedItems())
            QVERIFY(item->isEnabled());
        QCOMPARE(JukeboxFixture::texts(form->genreFilter).count(AllGenres), 1);
        QCOMPARE(form->genreFilter->currentText(), AllGenres);
        QCOMPARE(form->artistList->count(), 3); // the filter ran on "(All genres)"
        QVERIFY(form->genreField->isHidden() && form->removeRecordButton->isHidden() && form->addRecordButton->isHidden());
        QVERIFY(!form->allToPlaylistButton->isHidden());
        QVERIFY(form->artistField->text().isEmpty() && form->titleField->text().isEmpty());
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

        form->newDatabaseAction->trigger();

        QCOMPARE(f->fileDialog.uses.size(), 1);
        QCOMPARE(f->fileDialog.uses[0].mode, FileDialog::Mode::Save);
        QCOMPARE(f->fileDialog.uses[0].filter, QString("Vexolin Database|*.vxdatabase"));
        QCOMPARE(f->fileDialog.uses[0].fileName, QString());
        QCOMPARE(form->playerNotice->text(), QString("Enter the filename for the new database..."));
        QVERIFY(form->playerNotice->isHidden());
        QVERIFY(form->inEditMode());
        QCOMPARE(form->database.path(), chosen ? target : db);
        QCOMPARE(fileBytes(target), chosen ? QByteArray() : QByteArray("old content\r\n"));
        // The table keeps the records of the database open before.
        QCOMPARE(form->library.recordCount(), Records.size());

        // After a Remove (of nothing), Done writes all of them into the new file.
        form->editor->Command10_Click();
        form->doneEditingButton->click();
        QCOMPARE(fileBytes(form->database.path()), bytesOf(form->library));
        QCOMPARE(form->library.recordCount(), Records.size());
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
        form->playlist->addItems({"/in/one.wav", "/in/two.wav", "/in/three.wav"});
        form->editDatabaseAction->trigger();
        form->playlist->setCurrentRow(1);
        QCOMPARE(form->PlaylistPosition, 2);
        const int artists = form->artistList->count();
        const int genres = form->genreFilter->count();
        f->player.calls.clear();
        fill(artist, "  a new title ", genre);

        form->addRecordButton->click();

        const int n = Records.size() + 1;
        QCOMPARE(form->library.recordCount(), n);
        const LibraryRecord& r = form->library.record(n);
        QCOMPARE(QStringList({r.artist, r.title, r.genre, r.fileMenu}),
                 QStringList({artist.trimmed(), "a new title", genre, "/in/two.wav"}));
        // Appended as exactly four lines; the rest of the file is unchanged.
        QCOMPARE(fileBytes(db), before + formatRecord(r));
        QVERIFY(!form->DatabaseChanged);
        QCOMPARE(form->artistList->count(), artists + newArtistEntries);
        QCOMPARE(form->genreFilter->count(), genres + newGenreEntries);
        QVERIFY(JukeboxFixture::texts(form->titleList).contains(codedEntry(u"a new title", n)));
        // The entry is used up; entry 1 opens, then the entry at the unchanged position.
        QCOMPARE(JukeboxFixture::texts(form->playlist), QStringList({"/in/one.wav", "/in/three.wav"}));
        QCOMPARE(f->player.calls.filter("Open "), QStringList({"Open /in/one.wav", "Open /in/three.wav"}));
        QCOMPARE(form->playlist->currentRow(), 1);
        QCOMPARE(form->PlaylistPosition, 2);
        // Ready for the next title of the same artist and genre.
        QCOMPARE(form->artistField->text(), artist);
        QCOMPARE(form->genreField->text(), genre);
        QVERIFY(form->titleField->text().isEmpty());
        QCOMPARE(form->focusWidget(), form->titleField);
        QCOMPARE(form->titleList->currentRow(), -1);
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
        form->playlist->addItem(entry);
        form->editDatabaseAction->trigger();
        form->playlist->setCurrentRow(0);
        fill("A", "B", "C");

        form->addRecordButton->click();

        QCOMPARE(form->library.record(Records.size() + 1).fileMenu, file);
        QVERIFY(fileBytes(db).endsWith(file.toUtf8() + "\r\n"));
    }

    void addOfTheLastEntryLeavesNoneSelected()
    {
        form->playlist->addItems({"/in/one.wav", "/in/two.wav"});
        form->editDatabaseAction->trigger();
        form->playlist->setCurrentRow(1);
        f->player.calls.clear();
        fill("A", "B", "C");

        form->addRecordButton->click();

        QCOMPARE(JukeboxFixture::texts(form->playlist), QStringList{"/in/one.wav"});
        QCOMPARE(f->player.calls.filter("Open "), QStringList{"Open /in/one.wav"});
        QCOMPARE(form->playlist->currentRow(), -1);
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
        form->playlist->addItem("/in/one.wav");
        form->editDatabaseAction->trigger();
        form->playlist->setCurrentRow(0);
        fill("A", "B", "C");
        form->titleField->setFocus();
        QTest::keyClick(form->titleField, key); // moves the focus to Add
        QCOMPARE(QApplication::focusWidget(), form->addRecordButton);

        QTest::keyClick(form->addRecordButton, key);

        QCOMPARE(form->library.recordCount(), Records.size() + 1);
        QCOMPARE(form->library.record(Records.size() + 1).fileMenu, QString("/in/one.wav"));
    }

    void addOfAFileAlreadyInTheDatabaseWarnsButStaysPossible()
    {
        form->playlist->addItems({"/in/new.wav", "/MEDIA/heavy.wav"});
        form->editDatabaseAction->trigger();
        form->playlist->setCurrentRow(0);
        fill("Someone", "Something", "Pop");

        form->addRecordButton->click(); // the next entry opens and is checked

        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].title, QString("Warning..."));
        QCOMPARE(trimBlanks(form->artistField->text()), QString("Granite"));
        QCOMPARE(form->titleField->text(), QString("Heavy Square"));

        fill("Granite", "Heavy Square", "Rock");
        form->addRecordButton->click();
        QCOMPARE(form->library.recordCount(), Records.size() + 2);
        QCOMPARE(form->library.record(Records.size() + 2).fileMenu, QString("/MEDIA/heavy.wav"));
        QCOMPARE(form->playlist->count(), 0);
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
        form->playlist->addItems({"/in/one.wav"});
        form->editDatabaseAction->trigger();
        if (situation != "no entry")
            form->playlist->setCurrentRow(0);
        if (situation == "no database")
            form->database.close();
        if (situation == "full")
            while (form->library.append(LibraryRecord::fromTexts(u"x", u"y", u"z", u"/f")))
                ;
        const int count = form->library.recordCount();
        const QByteArray before = fileBytes(db);
        fill("A", "B", "C");

        form->addRecordButton->click();

        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY2(f->messageBox.shown[0].text.startsWith(reason), qPrintable(f->messageBox.shown[0].text));
        QCOMPARE(form->library.recordCount(), count);
        QCOMPARE(form->playlist->count(), 1);
        QCOMPARE(form->titleField->text(), QString("B"));
        QCOMPARE(fileBytes(db), before);
    }

    void failedAppendIsReportedAndKeptForDone()
    {
        form->playlist->addItems({"/in/one.wav"});
        form->editDatabaseAction->trigger();
        form->playlist->setCurrentRow(0);
        const QByteArray before = fileBytes(db);
        fill("A", "B", "C");
        {
            const DiskFull full(before.size() + 10);
            form->addRecordButton->click();
        }
        QCOMPARE(fileBytes(db), before); // not a byte of the record
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(f->messageBox.shown[0].text.contains(db));
        QVERIFY(f->messageBox.shown[0].text.contains("kept"));
        QCOMPARE(form->library.recordCount(), Records.size() + 1);
        QVERIFY(form->DatabaseChanged);

        form->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
        QCOMPARE(form->library.record(Records.size() + 1).fileMenu, QString("/in/one.wav"));
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
        form->editDatabaseAction->trigger();
        select(form->artistList, artist);
        select(form->titleList, title); // clears the artist selection
        QCOMPARE(form->artistList->currentRow(), -1);
        QVERIFY(form->removeRecordButton->isEnabled());

        form->removeRecordButton->click();

        QStringList all;
        for (const QStringList& r : Records)
            all.append(r[1]);
        all.removeOne(title);
        QCOMPARE(titlesOf(form->library), all);
        QCOMPARE(fileBytes(db), before); // written only by Done
        QVERIFY(form->DatabaseChanged);
        const bool listed = rowOf(form->artistList, artist) >= 0;
        QCOMPARE(listed, !titlesLeft.isEmpty());
        if (listed) {
            QCOMPARE(trimBlanks(form->artistList->currentItem()->text()), artist);
            QStringList shown;
            for (const QString& t : JukeboxFixture::texts(form->titleList)) {
                shown.append(visibleTextOfCodedEntry(t).toString());
                // Each entry names its record in the renumbered table.
                QCOMPARE(form->library.record(recordOfCodedEntry(t)).title, shown.last());
            }
            QCOMPARE(shown, titlesLeft);
        }

        form->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
        QVERIFY(!form->DatabaseChanged);
    }

    void removeArtistRemovesEveryTitle()
    {
        form->editDatabaseAction->trigger();
        select(form->artistList, "Granite");

        form->removeRecordButton->click();

        QCOMPARE(titlesOf(form->library), QStringList({"First Song", "Lonely"}));
        QCOMPARE(rowOf(form->artistList, "Granite"), -1);
        QCOMPARE(form->artistList->count(), 2);
        form->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
    }

    void removeWithNothingSelectedStillRewrites()
    {
        form->editDatabaseAction->trigger();
        f->writeFile("Music.VxDatabase", "changed behind our back\r\n");

        form->editor->Command10_Click();
        QCOMPARE(form->library.recordCount(), Records.size());
        QVERIFY(form->DatabaseChanged);
        form->doneEditingButton->click();

        QCOMPARE(fileBytes(db), fileBytes(f->writeDatabase("expected", Records)));
    }

    void titlesOfUnlistedArtistsKeepTheirRecords()
    {
        // Only Jazz artists are listed; in edit mode Show all lists every title.
        form->genreFilter->setCurrentIndex(form->genreFilter->findText("Jazz"));
        form->editDatabaseAction->trigger();
        form->showAllButton->click();
        select(form->titleList, "Stone Cold"); // record 1, of an artist not listed
        form->removeRecordButton->click();
        select(form->titleList, "Pebble");     // was record 5
        form->removeRecordButton->click();

        QCOMPARE(titlesOf(form->library), QStringList({"First Song", "Heavy Square", "Lonely"}));
    }

    void playlistEntriesKeepTheirFilesAfterARemoval()
    {
        for (int n : {2, 3, 5})
            form->playlist->addItem(libraryEntry(form->library, n));
        form->editDatabaseAction->trigger();
        select(form->titleList, "Heavy Square"); // record 3
        form->removeRecordButton->click();

        QCOMPARE(entryKindForPlayer(form->playlist->item(1)->text()), EntryKind::Marked);
        QVERIFY(form->playlist->item(1)->text().startsWith(libraryEntry(form->library, 1).left(40)));
        f->player.calls.clear();
        for (int row = 0; row < 3; ++row)
            form->playlist->setCurrentRow(row);
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
        form->editDatabaseAction->trigger();
        select(form->artistList, "Solo");
        form->removeRecordButton->click();
        if (fault == "none open")
            form->database.close();
        {
            std::unique_ptr<DiskFull> full;
            std::unique_ptr<ReadOnlyFolder> readOnly;
            if (fault == "disk full")
                full = std::make_unique<DiskFull>(20);
            if (fault == "read-only")
                readOnly = std::make_unique<ReadOnlyFolder>(folder);
            form->doneEditingButton->click();
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
        form->editDatabaseAction->trigger();
        form->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(form->library));
        QCOMPARE(form->library.recordCount(), Records.size() - 1);
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
        form->editDatabaseAction->trigger();
        select(form->artistList, "Solo");
        form->removeRecordButton->click();

        if (byMenu)
            form->exitAction->trigger();
        else
            form->close();

        QVERIFY(!form->isVisible());
        QVERIFY(!form->inEditMode());
        QCOMPARE(titlesOf(form->library), QStringList({"Stone Cold", "First Song", "Heavy Square", "Pebble"}));
        QCOMPARE(fileBytes(db), bytesOf(form->library));
    }
};

QTEST_MAIN(TestRecordEditor)
#include "tst_record_editor.moc"
