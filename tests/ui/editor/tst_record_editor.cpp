// Edit mode: New and Edit, Add, Remove, Done and its rewrite, and the shutdown that completes
// an edit. Faults on the file (full disk, read-only folder) are injected in this process.
#include "ActingAsNobody.h"
#include "DiskFull.h"
#include "JukeboxFixture.h"
#include "core/DatabaseFormat.h"
#include "core/FileStamp.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "core/SharedTexts.h"
#include "ui/editor/RecordEditor.h"
#include "ui/playback/PlayerControl.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ListBox.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
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

int rowOf(const ListBox* list, const QString& visibleText)
{
    for (int i = 0; i < list->count(); ++i)
        if (trimBlanks(visibleTextOfCodedEntry(list->text(i))) == visibleText)
            return i;
    return -1;
}

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

void setMode(const QString& path, mode_t mode)
{
    if (chmod(QFile::encodeName(path).constData(), mode) != 0)
        qFatal("cannot change the mode of %s", qPrintable(path));
}

} // namespace

class TestRecordEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString db;

    // A fresh program started with the records in a database at name (in the scratch folder,
    // whose subfolders must exist).
    void startWith(const QString& name = QStringLiteral("Music.VxDatabase"))
    {
        f = std::make_unique<JukeboxFixture>();
        QVERIFY(QDir().mkpath(QFileInfo(f->dir.filePath(name)).absolutePath()));
        db = f->writeDatabase(name, Records);
        j = &f->start(db);
        w = &f->window();
        QCOMPARE(j->library().recordCount(), Records.size());
        QVERIFY(j->library().isOpen());
    }
    const LibraryTable& table() const { return j->library().table(); }
    void select(ListBox* list, const QString& visibleText)
    {
        const int row = rowOf(list, visibleText);
        QVERIFY2(row >= 0, qPrintable(visibleText));
        list->setCurrentRow(row);
    }
    void fill(const QString& artist, const QString& title, const QString& genre)
    {
        w->genreField->setText(genre);
        w->artistField->setText(artist);
        w->titleField->setText(title);
        j->updateStatus(); // enables Add
        QVERIFY(w->addRecordButton->isEnabled());
    }
    QList<QAction*> blockedItems() const
    {
        return {w->editDatabaseAction, w->newDatabaseAction, w->checkDatabaseAction, w->openDatabaseAction,
                w->openPlaylistAction, w->savePlaylistAction, w->createCdAction};
    }

private slots:
    void init() { startWith(); }
    void cleanup()
    {
        f.reset();
        j = nullptr;
        w = nullptr;
    }

    void editAndDoneSwitchTheWindow()
    {
        w->editDatabaseAction->trigger();

        QVERIFY(j->mode().isEditing());
        for (QAction* item : blockedItems())
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {w->exitAction, w->searchAction, w->dropBoxAction, w->removeAction, w->clearPlaylistAction})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(!JukeboxFixture::texts(w->genreFilter).contains(AllGenres));
        QVERIFY(!w->genreField->isHidden() && !w->removeRecordButton->isHidden() && !w->addRecordButton->isHidden());
        QVERIFY(!w->removeRecordButton->isEnabled());
        QVERIFY(w->allToPlaylistButton->isHidden());
        QVERIFY(w->artistField->text().isEmpty() && w->titleField->text().isEmpty() && w->genreField->text().isEmpty());

        // A choice of a genre only fills the genre field.
        const QStringList artists = JukeboxFixture::texts(w->artistList);
        w->genreFilter->setCurrentIndex(w->genreFilter->findText("Jazz"));
        QCOMPARE(w->genreField->text(), QString("Jazz"));
        QCOMPARE(JukeboxFixture::texts(w->artistList), artists);

        w->doneEditingButton->click();

        QVERIFY(!j->mode().isEditing());
        for (QAction* item : blockedItems())
            QVERIFY(item->isEnabled());
        QCOMPARE(JukeboxFixture::texts(w->genreFilter).count(AllGenres), 1);
        QCOMPARE(w->genreFilter->currentText(), AllGenres);
        QCOMPARE(w->artistList->count(), 3); // the filter ran on "(All genres)"
        QVERIFY(w->genreField->isHidden() && w->removeRecordButton->isHidden() && w->addRecordButton->isHidden());
        QVERIFY(!w->allToPlaylistButton->isHidden());
        QVERIFY(w->artistField->text().isEmpty() && w->titleField->text().isEmpty());
        // Nothing removed: the file is not written.
        QCOMPARE(fileBytes(db), fileBytes(f->writeDatabase("expected", Records)));
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void newEmptiesTheChosenFileAndStartsEditing_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("file chosen") << true;
        QTest::newRow("dialog cancelled") << false;
    }
    void newEmptiesTheChosenFileAndStartsEditing()
    {
        QFETCH(bool, chosen);
        // An existing file of the chosen name is emptied.
        const QString target = f->writeFile("New.VxDatabase", "old content\r\n");
        if (chosen)
            f->fileDialog.answers = {target};

        w->newDatabaseAction->trigger();

        QCOMPARE(f->fileDialog.uses.size(), 1);
        QCOMPARE(f->fileDialog.uses[0].mode, FileDialog::Mode::Save);
        QCOMPARE(f->fileDialog.uses[0].filter, QString("Vexolin Database|*.vxdatabase"));
        QCOMPARE(f->fileDialog.uses[0].defaultSuffix, QString("VxDatabase")); // a bare name gets it
        QCOMPARE(f->fileDialog.uses[0].fileName, QString());
        QCOMPARE(w->playerNotice->text(), QString("Enter the filename for the new database..."));
        QVERIFY(w->playerNotice->isHidden());
        QVERIFY(j->mode().isEditing());
        QCOMPARE(j->library().path(), chosen ? target : db);
        QCOMPARE(fileBytes(target), chosen ? QByteArray() : QByteArray("old content\r\n"));
        // The table keeps the records of the database open before.
        QCOMPARE(j->library().recordCount(), Records.size());

        // After a Remove (of nothing), Done writes all of them into the new file.
        j->editor().removeChosen();
        w->doneEditingButton->click();
        QCOMPARE(fileBytes(j->library().path()), bytesOf(table()));
        QCOMPARE(j->library().recordCount(), Records.size());
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
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/one.wav", "/in/two.wav", "/in/three.wav"}));
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(1);
        QCOMPARE(j->playlist().position(), 2);
        const int artists = w->artistList->count();
        const int genres = w->genreFilter->count();
        f->player.calls.clear();
        fill(artist, "  a new title ", genre);

        w->addRecordButton->click();

        const int n = Records.size() + 1;
        QCOMPARE(j->library().recordCount(), n);
        const LibraryRecord& r = j->library().record(n);
        QCOMPARE(QStringList({r.artist, r.title, r.genre, r.file}),
                 QStringList({artist.trimmed(), "a new title", genre, "/in/two.wav"}));
        // Appended as exactly four lines; the rest of the file is unchanged.
        QCOMPARE(fileBytes(db), before + formatRecord(r));
        QVERIFY(!j->library().needsRewrite());
        QCOMPARE(w->artistList->count(), artists + newArtistEntries);
        QCOMPARE(w->genreFilter->count(), genres + newGenreEntries);
        QVERIFY(JukeboxFixture::texts(w->titleList).contains(codedEntry(u"a new title", n)));
        // The entry is used up; entry 1 opens, then the entry at the unchanged position.
        QCOMPARE(JukeboxFixture::texts(w->playlist), QStringList({"/in/one.wav", "/in/three.wav"}));
        QCOMPARE(f->player.calls.filter("open "), QStringList({"open /in/one.wav", "open /in/three.wav"}));
        QCOMPARE(w->playlist->currentRow(), 1);
        QCOMPARE(j->playlist().position(), 2);
        // Ready for the next title of the same artist and genre.
        QCOMPARE(w->artistField->text(), artist);
        QCOMPARE(w->genreField->text(), genre);
        QVERIFY(w->titleField->text().isEmpty());
        QCOMPARE(w->focusWidget(), w->titleField);
        QCOMPARE(w->titleList->currentRow(), -1);
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void addStoresThePathOfTheEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file");
        QTest::newRow("plain, blanks kept inside") << "/in/a b.wav" << "/in/a b.wav";
        QTest::newRow("URL") << "http://radio.example/stream" << "http://radio.example/stream";
        QTest::newRow("marked, from a playlist file")
            << markedEntry(u"Someone - Something", u"/in/marked.wav").text << "/in/marked.wav";
        QTest::newRow("library entry") << "library 4" << "/media/lonely.wav";
        QTest::newRow("longer than 255 characters, kept whole") << "/" + QString(300, 'x') << "/" + QString(300, 'x');
    }
    void addStoresThePathOfTheEntry()
    {
        QFETCH(QString, entry);
        QFETCH(QString, file);
        shownPlaylist(w->playlist).append({entry == "library 4" ? libraryEntry(table(), 4) : entryOfText(entry)});
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(0);
        fill("A", "B", "C");

        w->addRecordButton->click();

        QCOMPARE(j->library().record(Records.size() + 1).file, file);
        QVERIFY(fileBytes(db).endsWith(file.toUtf8() + "\r\n"));
    }

    void addOfTheLastEntryLeavesNoneSelected()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/one.wav", "/in/two.wav"}));
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(1);
        f->player.calls.clear();
        fill("A", "B", "C");

        w->addRecordButton->click();

        QCOMPARE(JukeboxFixture::texts(w->playlist), QStringList{"/in/one.wav"});
        QCOMPARE(f->player.calls.filter("open "), QStringList{"open /in/one.wav"});
        QCOMPARE(w->playlist->currentRow(), -1);
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
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        shownPlaylist(w->playlist).append({entryOfText("/in/one.wav")});
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(0);
        fill("A", "B", "C");
        w->titleField->setFocus();
        QTest::keyClick(w->titleField, key); // moves the focus to Add
        QCOMPARE(QApplication::focusWidget(), w->addRecordButton);

        QTest::keyClick(w->addRecordButton, key);

        QCOMPARE(j->library().recordCount(), Records.size() + 1);
        QCOMPARE(j->library().record(Records.size() + 1).file, QString("/in/one.wav"));
    }

    void addOfAFileAlreadyInTheDatabaseWarnsButStaysPossible()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/new.wav", "/MEDIA/heavy.wav"}));
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(0);
        fill("Someone", "Something", "Pop");

        w->addRecordButton->click(); // the next entry opens and is checked

        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].title, QString("Warning..."));
        QCOMPARE(trimBlanks(w->artistField->text()), QString("Granite"));
        QCOMPARE(w->titleField->text(), QString("Heavy Square"));

        fill("Granite", "Heavy Square", "Rock");
        w->addRecordButton->click();
        QCOMPARE(j->library().recordCount(), Records.size() + 2);
        QCOMPARE(j->library().record(Records.size() + 2).file, QString("/MEDIA/heavy.wav"));
        QCOMPARE(w->playlist->count(), 0);
    }

    // Choosing a playlist entry while editing fills the fields its local media file's tags name,
    // cut to the fields' widths; a field the tags do not name keeps its text (the title empties,
    // as before). Other entries are not read.
    void choosingAnEntryFillsTheFieldsFromItsTags_data()
    {
        QTest::addColumn<QString>("entry"); // a file of the scratch folder, or a URL
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("fields"); // artist, title, genre afterwards
        QTest::addColumn<bool>("read");
        const QStringList every{"Tag Artist", "Tag Title", "Tag Genre"};
        const QStringList typed{"Typed Artist", "", "Typed Genre"};
        QTest::newRow("every tag") << "song.mp3" << every << every << true;
        QTest::newRow("artist tag only") << "song.mp3" << QStringList{"Tag Artist", "", ""}
                                         << QStringList{"Tag Artist", "", "Typed Genre"} << true;
        QTest::newRow("no tags") << "song.mp3" << QStringList{"", "", ""} << typed << true;
        QTest::newRow("blank tags") << "song.mp3" << QStringList{"  ", " ", "\t"} << typed << true;
        QTest::newRow("longer than the fields")
            << "song.mp3" << QStringList{QString(50, 'a'), QString(45, 't'), QString(30, 'g')}
            << QStringList{QString(40, 'a'), QString(40, 't'), QString(20, 'g')} << true;
        QTest::newRow("file URL") << "file-url" << every << every << true;
        QTest::newRow("not a media file") << "notes.txt" << every << typed << false;
        QTest::newRow("missing file") << "gone.mp3" << every << typed << false;
        QTest::newRow("stream") << "http://radio.example/song.mp3" << every << typed << false;
    }
    void choosingAnEntryFillsTheFieldsFromItsTags()
    {
        QFETCH(QString, entry);
        QFETCH(QStringList, tags);
        QFETCH(QStringList, fields);
        QFETCH(bool, read);
        QString path = entry;
        if (entry == "file-url") {
            path = f->writeFile("song.mp3", "sound");
            entry = QUrl::fromLocalFile(path).toString();
        } else if (!entry.startsWith("http")) {
            path = f->dir.filePath(entry);
            if (entry != "gone.mp3")
                f->writeFile(entry, "sound");
            entry = path;
        }
        f->tags.tags[path] = {tags[0], tags[1], tags[2]};
        QStringList reads;
        f->tags.beforeRead = [&reads](const QString& p) { reads.append(p); };
        shownPlaylist(w->playlist).append({entryOfText(entry)});
        w->editDatabaseAction->trigger();
        w->genreField->setText("Typed Genre");
        w->artistField->setText("Typed Artist");
        w->titleField->setText("Typed Title");

        w->playlist->setCurrentRow(0);

        QCOMPARE((QStringList{w->artistField->text(), w->titleField->text(), w->genreField->text()}), fields);
        QCOMPARE(reads, read ? QStringList{path} : QStringList{});
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    // A file the database names: its record shows over the tags, with the warning; outside edit
    // mode nothing is read.
    void aListedFileShowsItsRecordOverItsTags()
    {
        const QString song = f->writeFile("song.mp3", "sound");
        f->tags.tags[song] = {"Tag Artist", "Tag Title", "Tag Genre"};
        QStringList read;
        f->tags.beforeRead = [&read](const QString& p) { read.append(p); };
        shownPlaylist(w->playlist).append(entriesOfTexts({song, song}));
        w->playlist->setCurrentRow(1);
        QVERIFY(read.isEmpty());
        QVERIFY(w->artistField->text().isEmpty() && w->titleField->text().isEmpty());
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(0);
        QCOMPARE(read, QStringList{song});
        QCOMPARE(w->titleField->text(), QString("Tag Title"));
        w->artistField->setText("Granite");
        w->titleField->setText("Quarry Song");
        j->updateStatus();
        w->addRecordButton->click(); // the other entry opens, and is checked

        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].title, QString("Warning..."));
        QCOMPARE(read, (QStringList{song, song}));
        QCOMPARE(trimBlanks(w->artistField->text()), QString("Granite"));
        QCOMPARE(w->titleField->text(), QString("Quarry Song"));
        QCOMPARE(w->genreField->text(), QString("Tag Genre"));
        // Add ends by clearing the title selection, after the check chose the record's title.
        QCOMPARE(w->titleList->currentRow(), -1);
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
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/one.wav"}));
        w->editDatabaseAction->trigger();
        if (situation != "no entry")
            w->playlist->setCurrentRow(0);
        if (situation == "no database")
            j->library().close();
        if (situation == "full")
            while (j->library().add(LibraryRecord::fromTexts(u"x", u"y", u"z", u"/f")) != 0)
                ;
        const int count = j->library().recordCount();
        const QByteArray before = fileBytes(db);
        fill("A", "B", "C");

        w->addRecordButton->click();

        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY2(f->messageBox.shown[0].text.startsWith(reason), qPrintable(f->messageBox.shown[0].text));
        QCOMPARE(j->library().recordCount(), count);
        QCOMPARE(w->playlist->count(), 1);
        QCOMPARE(w->titleField->text(), QString("B"));
        QCOMPARE(fileBytes(db), before);
    }

    void failedAppendIsReportedAndKeptForDone()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/one.wav"}));
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(0);
        const QByteArray before = fileBytes(db);
        fill("A", "B", "C");
        {
            const DiskFull full(before.size() + 10);
            w->addRecordButton->click();
        }
        QCOMPARE(fileBytes(db), before); // not a byte of the record
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(f->messageBox.shown[0].text.contains(db));
        QVERIFY(f->messageBox.shown[0].text.contains("File too large"));
        QVERIFY(f->messageBox.shown[0].text.contains("kept"));
        QCOMPARE(j->library().recordCount(), Records.size() + 1);
        QVERIFY(j->library().needsRewrite());

        w->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(table()));
        QCOMPARE(j->library().record(Records.size() + 1).file, QString("/in/one.wav"));
    }

    void removeTakesTheChosenTitleOut_data()
    {
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("titlesLeft"); // of the artist, still listed and selected
        QTest::newRow("one of several titles") << "Granite" << "Heavy Square" << QStringList{"Pebble", "Stone Cold"};
        QTest::newRow("the only title") << "Solo" << "Lonely" << QStringList{};
    }
    void removeTakesTheChosenTitleOut()
    {
        QFETCH(QString, artist);
        QFETCH(QString, title);
        QFETCH(QStringList, titlesLeft);
        const QByteArray before = fileBytes(db);
        w->editDatabaseAction->trigger();
        select(w->artistList, artist);
        select(w->titleList, title); // clears the artist selection
        QCOMPARE(w->artistList->currentRow(), -1);
        QVERIFY(w->removeRecordButton->isEnabled());

        w->removeRecordButton->click();

        QStringList all;
        for (const QStringList& r : Records)
            all.append(r[1]);
        all.removeOne(title);
        QCOMPARE(titlesOf(table()), all);
        QCOMPARE(fileBytes(db), before); // written only by Done
        QVERIFY(j->library().needsRewrite());
        const bool listed = rowOf(w->artistList, artist) >= 0;
        QCOMPARE(listed, !titlesLeft.isEmpty());
        if (listed) {
            QCOMPARE(trimBlanks(w->artistList->text(w->artistList->currentRow())), artist);
            QStringList shown;
            for (const QString& t : JukeboxFixture::texts(w->titleList)) {
                shown.append(visibleTextOfCodedEntry(t).toString());
                // Each entry names its record in the renumbered table.
                QCOMPARE(j->library().record(recordOfCodedEntry(t)).title, shown.last());
            }
            QCOMPARE(shown, titlesLeft);
        }

        w->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(table()));
        QVERIFY(!j->library().needsRewrite());
    }

    void removeArtistRemovesEveryTitle()
    {
        w->editDatabaseAction->trigger();
        select(w->artistList, "Granite");

        w->removeRecordButton->click();

        QCOMPARE(titlesOf(table()), QStringList({"First Song", "Lonely"}));
        QCOMPARE(rowOf(w->artistList, "Granite"), -1);
        QCOMPARE(w->artistList->count(), 2);
        w->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(table()));
    }

    // What the window and the table show after a removal.
    QStringList windowState() const
    {
        QStringList state;
        for (int n = 1; n <= table().recordCount(); ++n)
            state << table().record(n).artist + u'|' + table().record(n).title;
        for (const PlaylistEntry& entry : shownPlaylist(w->playlist).entries())
            state << QStringLiteral("%1 %2").arg(int(entry.kind)).arg(entry.text);
        state << entryTexts(w->artistList) << entryTexts(w->titleList) << w->artistField->text()
              << w->titleField->text()
              << QStringLiteral("%1 %2 %3")
                     .arg(w->artistList->currentRow())
                     .arg(w->titleList->currentRow())
                     .arg(w->removeRecordButton->isEnabled());
        return state;
    }

    void removeArtistEndsAsRemovingEachTitleDoes_data()
    {
        QTest::addColumn<QStringList>("artists"); // of records 1..6
        QTest::newRow("one spelling") << QStringList{"Granite", "Solo", "Granite", "Granite", "Duo", "Granite"};
        QTest::newRow("spellings differ") << QStringList{"Granite", "Solo", "granite", " Granite", "Duo", "Granite"};
    }
    void removeArtistEndsAsRemovingEachTitleDoes()
    {
        QFETCH(QStringList, artists);
        // Every record in the playlist; two titles alike, so that renumbering may reorder them.
        auto start = [&] {
            QList<QStringList> records;
            for (int n = 1; n <= artists.size(); ++n)
                records.append({artists[n - 1], n % 3 == 0 ? QStringLiteral("Same") : QStringLiteral("Song %1").arg(7 - n),
                                "Rock", QStringLiteral("/media/%1.wav").arg(n)});
            f = std::make_unique<JukeboxFixture>();
            j = &f->start(f->writeDatabase("Music.VxDatabase", records));
            w = &f->window();
            for (int n = 1; n <= artists.size(); ++n)
                shownPlaylist(w->playlist).append({libraryEntry(table(), n)});
            w->editDatabaseAction->trigger();
            select(w->artistList, "Granite");
        };

        start();
        const int count = w->titleList->count();
        for (int i = 0; i < count; ++i) { // Remove of each title, as the user could do it
            w->titleList->setCurrentRow(0);
            j->editor().removeChosen();
        }
        const QStringList oneByOne = windowState();
        start();
        w->removeRecordButton->click();

        QCOMPARE(windowState(), oneByOne);
        QCOMPARE(rowOf(w->artistList, "Granite"), -1);
    }

    void removeWithNothingSelectedStillRewrites()
    {
        w->editDatabaseAction->trigger();
        const FileStamp before = stampOfPath(db);

        j->editor().removeChosen();
        QCOMPARE(j->library().recordCount(), Records.size());
        QVERIFY(j->library().needsRewrite());
        w->doneEditingButton->click();

        // A rewrite puts a new file in the old one's place, holding the same records.
        QVERIFY(!stampOfPath(db).sameFileAs(before));
        QCOMPARE(fileBytes(db), fileBytes(f->writeDatabase("expected", Records)));
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void titlesOfUnlistedArtistsKeepTheirRecords()
    {
        // Only Jazz artists are listed; in edit mode Show all lists every title.
        w->genreFilter->setCurrentIndex(w->genreFilter->findText("Jazz"));
        w->editDatabaseAction->trigger();
        w->showAllButton->click();
        select(w->titleList, "Stone Cold"); // record 1, of an artist not listed
        w->removeRecordButton->click();
        select(w->titleList, "Pebble");     // was record 5
        w->removeRecordButton->click();

        QCOMPARE(titlesOf(table()), QStringList({"First Song", "Heavy Square", "Lonely"}));
    }

    void playlistEntriesKeepTheirFilesAfterARemoval()
    {
        for (int n : {2, 3, 5})
            shownPlaylist(w->playlist).append({libraryEntry(table(), n)});
        w->editDatabaseAction->trigger();
        select(w->titleList, "Heavy Square"); // record 3
        w->removeRecordButton->click();

        QCOMPARE(shownPlaylist(w->playlist).entry(1).kind, EntryKind::Marked);
        QVERIFY(w->playlist->text(1).startsWith(libraryEntry(table(), 1).text.left(40)));
        f->player.calls.clear();
        for (int row = 0; row < 3; ++row)
            w->playlist->setCurrentRow(row);
        QStringList files;
        for (const QString& call : f->player.calls.filter("open "))
            files.append(call.mid(5).trimmed());
        QCOMPARE(files, QStringList({"/media/first.wav", "/media/heavy.wav", "/media/pebble.wav"}));
    }

    void failedRewriteKeepsTheOldFileAndTheRemovals_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << "disk full" << "File too large";
        QTest::newRow("read-only folder") << "read-only"
                                          << "Permission denied: the folder %1 cannot be written, so the database "
                                             "cannot be rewritten safely. Move the database to a folder you may "
                                             "write, or make the folder writable.";
        QTest::newRow("no database open") << "none open" << "no database is open";
    }
    void failedRewriteKeepsTheOldFileAndTheRemovals()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        // The database lies in a folder of its own, the only one the fault closes.
        startWith("ro/Music.VxDatabase");
        const QString folder = f->dir.filePath("ro");
        // Others may pass through the scratch folder.
        chmod(QFile::encodeName(f->dir.path()).constData(), 0755);
        const QByteArray before = fileBytes(db);
        w->editDatabaseAction->trigger();
        select(w->artistList, "Solo");
        w->removeRecordButton->click();
        if (fault == "none open")
            j->library().close();
        {
            std::unique_ptr<DiskFull> full;
            std::unique_ptr<ReadOnlyFolder> readOnly;
            if (fault == "disk full")
                full = std::make_unique<DiskFull>(20);
            if (fault == "read-only") {
                setMode(db, 0666); // the file may be written, its folder not
                readOnly = std::make_unique<ReadOnlyFolder>(folder);
            }
            w->doneEditingButton->click();
        }

        QVERIFY(!j->mode().isEditing());
        QCOMPARE(fileBytes(db), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Music.VxDatabase"});
        QVERIFY(j->library().needsRewrite());
        QCOMPARE(f->messageBox.shown.size(), 1);
        const QString text = f->messageBox.shown[0].text;
        QVERIFY2(text.contains("could not be saved"), qPrintable(text));
        QVERIFY2(text.contains(reason.arg(folder)), qPrintable(text));
        QVERIFY2(fault == "none open" || text.contains(db), qPrintable(text));

        if (fault == "none open")
            return;
        // The next Done stores the removals.
        w->editDatabaseAction->trigger();
        w->doneEditingButton->click();
        QCOMPARE(fileBytes(db), bytesOf(table()));
        QCOMPARE(j->library().recordCount(), Records.size() - 1);
        QVERIFY(!j->library().needsRewrite());
        QVERIFY(j->library().isOpen());
    }

    // A database the user may not write opens for browsing; Add and Done say it is read-only and
    // keep what they could not store; once it may be written, the next Add and Done store
    // everything without opening it again.
    void readOnlyDatabaseIsBrowsedAndAddAndDoneSayWhy()
    {
        startWith("ro/Music.VxDatabase");
        const QString folder = f->dir.filePath("ro");
        setMode(f->dir.path(), 0755);
        setMode(db, 0444);
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/one.wav", "/in/two.wav"}));
        w->editDatabaseAction->trigger();
        w->playlist->setCurrentRow(0);
        fill("A", "B", "C");
        const QByteArray before = fileBytes(db);
        {
            const ActingAsNobody nobody;
            w->addRecordButton->click();
            w->doneEditingButton->click();
        }
        QCOMPARE(fileBytes(db), before);
        QCOMPARE(f->messageBox.shown.size(), 2);
        for (const auto& shown : f->messageBox.shown) {
            QVERIFY2(shown.text.contains(db), qPrintable(shown.text));
            QVERIFY2(shown.text.contains("read-only"), qPrintable(shown.text));
        }
        QCOMPARE(j->library().recordCount(), Records.size() + 1);
        QVERIFY(j->library().needsRewrite());

        setMode(folder, 0777);
        setMode(db, 0666);
        {
            const ActingAsNobody nobody;
            w->editDatabaseAction->trigger();
            w->playlist->setCurrentRow(0);
            fill("D", "E", "F");
            w->addRecordButton->click();
            QCOMPARE(fileBytes(db), before + formatRecord(table().record(Records.size() + 2)));
            w->doneEditingButton->click();
        }
        QCOMPARE(f->messageBox.shown.size(), 2);
        QCOMPARE(fileBytes(db), bytesOf(table()));
        QVERIFY(!j->library().needsRewrite());
    }

    // Database > New in a folder that cannot be written says why; the open database stays open.
    void newThatCannotBeCreatedKeepsTheOpenDatabase()
    {
        startWith("ro/Music.VxDatabase");
        setMode(f->dir.path(), 0755);
        const QString wanted = f->dir.filePath("ro/New.VxDatabase");
        f->fileDialog.answers = {wanted};
        {
            const ReadOnlyFolder readOnly(f->dir.filePath("ro"));
            w->newDatabaseAction->trigger();
        }
        QVERIFY(!QFile::exists(wanted));
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(f->messageBox.shown[0].text.contains(wanted));
        QVERIFY(f->messageBox.shown[0].text.contains("Permission denied"));
        QCOMPARE(j->library().path(), db);
        QVERIFY(j->mode().isEditing());
    }

    // A rewrite writes the kept records' lines as the file held them: portable "#:" paths, paths
    // longer than 255 characters, long or blank-edged fields stay; only the removed record goes.
    void rewriteKeepsTheLinesOfUntouchedRecords()
    {
        f = std::make_unique<JukeboxFixture>();
        const QString longPath = "/music/" + QString(300, 'p') + ".mp3";
        const QByteArray kept = QByteArray("Portable\r\nOn Disc\r\nRock\r\n#:\\mediafiles\\a.mp3\r\n")
                                + "Long\r\nPath\r\nRock\r\n" + longPath.toUtf8() + "\r\n"
                                + " Edged \r\n" + QByteArray(50, 't') + "\r\nRock\r\n/m/e.mp3\r\n";
        db = f->writeFile("Disc.VxDatabase", kept + "Gone\r\nSoon\r\nJazz\r\n/m/g.mp3\r\n");
        j = &f->start(db);
        w = &f->window();
        QCOMPARE(j->library().record(2).file, longPath);
        w->editDatabaseAction->trigger();
        select(w->artistList, "Gone");
        w->removeRecordButton->click();
        w->doneEditingButton->click();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(fileBytes(db), kept);
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
        w->show();
        w->editDatabaseAction->trigger();
        select(w->artistList, "Solo");
        w->removeRecordButton->click();

        if (byMenu)
            w->exitAction->trigger();
        else
            w->close();

        QVERIFY(!w->isVisible());
        QVERIFY(!j->mode().isEditing());
        QCOMPARE(titlesOf(table()), QStringList({"Stone Cold", "First Song", "Heavy Square", "Pebble"}));
        QCOMPARE(fileBytes(db), bytesOf(table()));
    }
};

QTEST_MAIN(TestRecordEditor)
#include "tst_record_editor.moc"
