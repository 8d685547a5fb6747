// Database > Check: the panel that lists the records whose file is missing or empty, Remove all,
// and Done with its rewrite of the database.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <sys/resource.h>

namespace {

// The database's bytes: four CR LF lines per record, Windows-1252 like a file from another
// system, which a rewrite keeps byte for byte.
QByteArray latin1Database(const QList<QStringList>& records)
{
    QByteArray bytes;
    for (const QStringList& r : records)
        for (const QString& field : r)
            bytes += field.toLatin1() + "\r\n";
    return bytes;
}

QByteArray utf8Database(const QList<QStringList>& records)
{
    QByteArray bytes;
    for (const QStringList& r : records)
        for (const QString& field : r)
            bytes += field.toUtf8() + "\r\n";
    return bytes;
}

// While alive, files may not grow past `bytes`: a write past it fails, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{rlim_t(bytes), old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

} // namespace

class TestDatabaseCheck : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString database;
    QList<QStringList> records; // 1..12: 3 and 12 missing, 7 empty, 5 a URL

    QString media(int i) const { return f->dir.filePath(QString("media/%1.mp3").arg(i)); }

    void start()
    {
        QDir(f->dir.path()).mkpath("media");
        records.clear();
        for (int i = 1; i <= 12; ++i) {
            const QString file = i == 5 ? QString("http://radio.example/live") : media(i);
            // Record 12's artist has no other record: Done must rebuild the artist list.
            records.append({i == 12 ? "Lonely" : "Café", QString("Song %1").arg(i), i % 2 ? "Rock" : "Pop", file});
            if (i != 3 && i != 12 && i != 5)
                f->writeFile(QString("media/%1.mp3").arg(i), i == 7 ? "" : "sound");
        }
        database = f->writeFile("check.VxDatabase", latin1Database(records));
        j = &f->start(database);
        w = &f->window();
        QCOMPARE(j->library().recordCount(), 12);
    }
    const LibraryTable& table() const { return j->library().table(); }
    // Replaces the database file's bytes behind the program's back: a rewrite would show.
    void overwriteDatabase(const QByteArray& bytes) const
    {
        QFile file(database);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QList<QStringList> recordsWithout(const QList<int>& numbers) const
    {
        QList<QStringList> kept;
        for (int i = 1; i <= records.size(); ++i)
            if (!numbers.contains(i))
                kept.append(records[i - 1]);
        return kept;
    }
    QStringList filesInTable() const
    {
        QStringList files;
        for (int i = 1; i <= j->library().recordCount(); ++i)
            files.append(j->library().record(i).file);
        return files;
    }
    QStringList filesOf(const QList<QStringList>& list) const
    {
        QStringList files;
        for (const QStringList& r : list)
            files.append(r[3]);
        return files;
    }
    bool tableMenusEnabled() const
    {
        return w->openDatabaseAction->isEnabled() && w->newDatabaseAction->isEnabled() && w->editDatabaseAction->isEnabled()
               && w->createCdAction->isEnabled();
    }

private slots:
    void init() { f = std::make_unique<JukeboxFixture>(); }
    void cleanup()
    {
        f.reset();
        j = nullptr;
        w = nullptr;
    }

    // A Done that failed leaves the removals waiting; opening another database drops them, so a
    // later Done of the check leaves that other file alone.
    void waitingRemovalsGoWhenAnotherDatabaseOpens()
    {
        start();
        const QByteArray before = fileBytes(database);
        w->checkDatabaseAction->trigger();
        w->removeAllMissingButton->click();
        {
            const FileSizeLimit full(16);
            w->checkDoneButton->click();
        }
        QCOMPARE(fileBytes(database), before);
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY2(f->messageBox.shown[0].text.contains("File too large"), qPrintable(f->messageBox.shown[0].text));
        QVERIFY(j->library().needsRewrite());

        // Opening another database asks first; the user lets the removals go.
        const QByteArray other = utf8Database({{"Other", "One", "Pop", media(3)}});
        f->fileDialog.answers = {f->writeFile("other.VxDatabase", other)};
        f->messageBox.answers = {MessageBox::Answer::Discard};
        w->openDatabaseAction->trigger();
        QCOMPARE(f->messageBox.asked.size(), 1);
        QVERIFY(!j->library().needsRewrite());
        w->checkDatabaseAction->trigger();
        w->checkDoneButton->click();
        w->editDatabaseAction->trigger();
        w->doneEditingButton->click();
        QCOMPARE(fileBytes(f->dir.filePath("other.VxDatabase")), other);
        QCOMPARE(f->messageBox.shown.size(), 1);
    }

    void checkListsTheMissingFilesFromTheLastRecord()
    {
        start();
        w->checkDatabaseAction->trigger();
        QVERIFY(!w->checkPanel->isHidden());
        QCOMPARE(JukeboxFixture::texts(w->missingList), (QStringList{media(12), media(7), media(3)}));
        // The count-down ends at the first record, whenever it was last repainted.
        QCOMPARE(w->missingCount->text(), QString("1"));
        QCOMPARE(w->missingCount->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(w->missingCountCaption->isHidden() && w->missingCount->isHidden());
        QVERIFY(!w->removeAllMissingButton->isHidden() && w->removeAllMissingButton->isEnabled());
        QVERIFY(!w->checkDoneButton->isHidden() && w->checkDoneButton->isEnabled());
        // Nothing may change the table under the listed numbers while the panel is shown.
        QVERIFY(!w->openDatabaseAction->isEnabled() && !w->newDatabaseAction->isEnabled());
        QVERIFY(!w->editDatabaseAction->isEnabled() && !w->createCdAction->isEnabled());
    }

    void removeAllWaitsForDoneToWrite()
    {
        start();
        const QByteArray before = fileBytes(database);
        w->genreFilter->setCurrentIndex(w->genreFilter->findText("Pop"));
        w->checkDatabaseAction->trigger();
        w->removeAllMissingButton->click();
        QCOMPARE(filesInTable(), filesOf(recordsWithout({3, 7, 12})));
        QCOMPARE(w->missingList->count(), 0);
        QVERIFY(!w->removeAllMissingButton->isEnabled());
        QCOMPARE(fileBytes(database), before);

        w->checkDoneButton->click();
        QVERIFY(w->checkPanel->isHidden());
        QVERIFY(tableMenusEnabled());
        QCOMPARE(fileBytes(database), latin1Database(recordsWithout({3, 7, 12})));
        QVERIFY(!j->library().needsRewrite());
        // The lists were rebuilt from the table under "(All genres)".
        QCOMPARE(w->genreFilter->currentText(), QString("(All genres)"));
        QCOMPARE(w->artistList->count(), 1);
        QCOMPARE(w->artistList->text(0).trimmed(), QString("Café"));
        QCOMPARE(w->titleList->count(), 9);

        // The database stays open for appending to the new file.
        const int added = j->library().add(LibraryRecord::fromTexts(u"New", u"Song", u"Rock", u"/m/new.mp3"));
        QVERIFY(j->library().appendToFile(added));
        QVERIFY(fileBytes(database).endsWith("New\r\nSong\r\nRock\r\n/m/new.mp3\r\n"));

        // The removals are stored: the Done of a later check writes nothing.
        overwriteDatabase("changed behind our back\r\n");
        w->checkDatabaseAction->trigger();
        w->checkDoneButton->click();
        QCOMPARE(fileBytes(database), QByteArray("changed behind our back\r\n"));
    }

    void doneWithoutRemoveAllWritesNothing()
    {
        start();
        const QByteArray before = fileBytes(database);
        w->checkDatabaseAction->trigger();
        w->checkDoneButton->click();
        QVERIFY(w->checkPanel->isHidden());
        QVERIFY(tableMenusEnabled());
        QCOMPARE(j->library().recordCount(), 12);
        QCOMPARE(fileBytes(database), before);
    }

    void emptyLibraryListsNothing()
    {
        const QString path = f->writeFile("empty.VxDatabase", "");
        j = &f->start(path);
        w = &f->window();
        w->checkDatabaseAction->trigger();
        QCOMPARE(w->missingList->count(), 0);
        QVERIFY(!w->removeAllMissingButton->isEnabled());
        // Were the file written on Done, it would come back.
        QVERIFY(QFile::remove(path));
        w->checkDoneButton->click();
        QVERIFY(!QFile::exists(path));
    }

    void secondCheckShowsOnlyItsOwnResult()
    {
        start();
        w->checkDatabaseAction->trigger();
        QVERIFY(QFile::remove(media(2)));
        w->checkDatabaseAction->trigger();
        QCOMPARE(JukeboxFixture::texts(w->missingList), (QStringList{media(12), media(7), media(3), media(2)}));
        w->removeAllMissingButton->click();
        QCOMPARE(filesInTable(), filesOf(recordsWithout({2, 3, 7, 12})));
    }

    void playlistEntriesKeepTheirFilesAfterRemoveAll()
    {
        start();
        for (int n : {2, 3, 8, 11})
            shownPlaylist(w->playlist).append({libraryEntry(table(), n)});
        w->checkDatabaseAction->trigger();
        w->removeAllMissingButton->click(); // removes 3, 7 and 12

        QStringList files;
        for (const PlaylistEntry& entry : shownPlaylist(w->playlist).entries())
            files.append(trimBlanks(fileOfEntry(entry, table())).toString());
        QCOMPARE(files, (QStringList{media(2), media(3), media(8), media(11)}));
        QCOMPARE(shownPlaylist(w->playlist).entry(1).kind, EntryKind::Marked);
    }

    void titleListNamesItsOwnRecordsAfterRemoveAll()
    {
        start();
        w->genreFilter->setCurrentIndex(w->genreFilter->findText("Rock"));
        w->showAllButton->click(); // the titles of the odd records
        j->browser().selectTitleRow(w->titleList->count() - 1);
        const QString selected = visibleTextOfCodedEntry(w->titleList->text(w->titleList->currentRow())).toString();
        w->checkDatabaseAction->trigger();
        w->removeAllMissingButton->click(); // removes 3, 7 and 12

        // Until Done rebuilds the list, a title dragged from it must add its own record.
        QStringList titles;
        for (const QString& entry : JukeboxFixture::texts(w->titleList)) {
            const int r = recordOfCodedEntry(entry);
            QVERIFY(r >= 1 && r <= j->library().recordCount());
            QCOMPARE(trimBlanks(table().paddedTitle(r)), trimBlanks(visibleTextOfCodedEntry(entry)));
            titles.append(trimBlanks(visibleTextOfCodedEntry(entry)).toString());
        }
        titles.sort();
        QCOMPARE(titles, (QStringList{"Song 1", "Song 11", "Song 5", "Song 9"}));
        QCOMPARE(visibleTextOfCodedEntry(w->titleList->text(w->titleList->currentRow())).toString(), selected);
    }

    void failedRewriteKeepsTheRemovalsPending()
    {
        start();
        const QByteArray before = fileBytes(database);
        w->checkDatabaseAction->trigger();
        w->removeAllMissingButton->click();
        {
            const FileSizeLimit full(16);
            w->checkDoneButton->click();
        }
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(j->library().needsRewrite());
        QCOMPARE(fileBytes(database), before);
        QCOMPARE(j->library().recordCount(), 9);

        // With room on the disk again, the next Done of the check stores the removals.
        w->checkDatabaseAction->trigger();
        QCOMPARE(w->missingList->count(), 0);
        w->checkDoneButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(!j->library().needsRewrite());
        QCOMPARE(fileBytes(database), latin1Database(recordsWithout({3, 7, 12})));
        // Stored at last: the Done of a later check writes nothing.
        overwriteDatabase("changed behind our back\r\n");
        w->checkDatabaseAction->trigger();
        w->checkDoneButton->click();
        QCOMPARE(fileBytes(database), QByteArray("changed behind our back\r\n"));
    }
};

QTEST_MAIN(TestDatabaseCheck)
#include "tst_database_check.moc"
