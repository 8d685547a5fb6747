#include "JukeboxFixture.h"
#include "browser/ArtistTitleLists.h"
#include "check/MissingFilesCheck.h"
#include "core/RecordCode.h"
#include "core/PlaylistEntry.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// The database's bytes: four CR LF lines per record, Windows-1252 like a file from the old
// program, so that any rewrite (which writes UTF-8) shows in the bytes.
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

} // namespace

class TestDatabaseCheck : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;
    QString database;
    QList<QStringList> records; // 1..12: 3 and 12 missing, 7 empty, 5 a URL

    QString media(int i) const { return f->dir.filePath(QString("media/%1.mp3").arg(i)); }

    void start(const QString& folder = QString())
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
        QDir(f->dir.path()).mkpath(folder.isEmpty() ? "." : folder);
        database = f->writeFile((folder.isEmpty() ? "" : folder + "/") + "check.VxDatabase",
                                latin1Database(records));
        form = &f->start(database);
        QCOMPARE(form->library.recordCount(), 12);
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
        for (int i = 1; i <= form->library.recordCount(); ++i)
            files.append(form->library.record(i).fileMenu);
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
        return form->openDatabaseAction->isEnabled() && form->newDatabaseAction->isEnabled() && form->editDatabaseAction->isEnabled()
               && form->createCdAction->isEnabled();
    }

private slots:
    void init() { f = std::make_unique<JukeboxFixture>(); }
    void cleanup() { f.reset(); }

    void checkListsTheMissingFilesFromTheLastRecord()
    {
        start();
        form->checkDatabaseAction->trigger();
        QVERIFY(!form->checkPanel->isHidden());
        QCOMPARE(JukeboxFixture::texts(form->missingList), (QStringList{media(12), media(7), media(3)}));
        QCOMPARE(JukeboxFixture::texts(form->List6), (QStringList{"12", "7", "3"}));
        QVERIFY(form->List6->isHidden());
        // The count-down ends at the first record, whenever it was last repainted.
        QCOMPARE(form->missingCount->text(), QString("1"));
        QCOMPARE(form->missingCount->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(form->missingCountCaption->isHidden() && form->missingCount->isHidden());
        QVERIFY(!form->removeAllMissingButton->isHidden() && form->removeAllMissingButton->isEnabled());
        QVERIFY(!form->checkDoneButton->isHidden() && form->checkDoneButton->isEnabled());
        // Nothing may change the table under the listed numbers while the panel is shown.
        QVERIFY(!form->openDatabaseAction->isEnabled() && !form->newDatabaseAction->isEnabled());
        QVERIFY(!form->editDatabaseAction->isEnabled() && !form->createCdAction->isEnabled());
    }

    void removeAllWaitsForDoneToWrite()
    {
        start();
        const QByteArray before = fileBytes(database);
        form->genreFilter->setCurrentIndex(form->genreFilter->findText("Pop"));
        form->checkDatabaseAction->trigger();
        form->removeAllMissingButton->click();
        QCOMPARE(filesInTable(), filesOf(recordsWithout({3, 7, 12})));
        QCOMPARE(form->missingList->count(), 0);
        QCOMPARE(form->List6->count(), 0);
        QVERIFY(!form->removeAllMissingButton->isEnabled());
        QCOMPARE(fileBytes(database), before);

        form->checkDoneButton->click();
        QVERIFY(form->checkPanel->isHidden());
        QVERIFY(tableMenusEnabled());
        QCOMPARE(fileBytes(database), utf8Database(recordsWithout({3, 7, 12})));
        QVERIFY(!form->check->CheckRemoved);
        // The lists were rebuilt from the table under "(All genres)".
        QCOMPARE(form->genreFilter->currentText(), QString("(All genres)"));
        QCOMPARE(form->artistList->count(), 1);
        QCOMPARE(form->artistList->item(0)->text().trimmed(), QString("Café"));
        QCOMPARE(form->titleList->count(), 9);

        // The database stays open for appending to the new file.
        form->database.append(LibraryRecord::fromTexts(u"New", u"Song", u"Rock", u"/m/new.mp3"));
        QVERIFY(fileBytes(database).endsWith("New\r\nSong\r\nRock\r\n/m/new.mp3\r\n"));
    }

    void doneWithoutRemoveAllWritesNothing()
    {
        start();
        const QByteArray before = fileBytes(database);
        form->checkDatabaseAction->trigger();
        form->checkDoneButton->click();
        QVERIFY(form->checkPanel->isHidden());
        QVERIFY(tableMenusEnabled());
        QCOMPARE(form->library.recordCount(), 12);
        QCOMPARE(fileBytes(database), before);
    }

    void emptyLibraryListsNothing()
    {
        const QString path = f->writeFile("empty.VxDatabase", "");
        form = &f->start(path);
        form->checkDatabaseAction->trigger();
        QCOMPARE(form->missingList->count(), 0);
        QVERIFY(!form->removeAllMissingButton->isEnabled());
        // Were the file written on Done, it would come back.
        QVERIFY(QFile::remove(path));
        form->checkDoneButton->click();
        QVERIFY(!QFile::exists(path));
    }

    void secondCheckShowsOnlyItsOwnResult()
    {
        start();
        form->checkDatabaseAction->trigger();
        QVERIFY(QFile::remove(media(2)));
        form->checkDatabaseAction->trigger();
        QCOMPARE(JukeboxFixture::texts(form->List6), (QStringList{"12", "7", "3", "2"}));
        form->removeAllMissingButton->click();
        QCOMPARE(filesInTable(), filesOf(recordsWithout({2, 3, 7, 12})));
    }

    void playlistEntriesKeepTheirFilesAfterRemoveAll()
    {
        start();
        for (int n : {2, 3, 8, 11})
            form->playlist->addItem(libraryEntry(form->library, n));
        form->checkDatabaseAction->trigger();
        form->removeAllMissingButton->click(); // removes 3, 7 and 12

        QStringList files;
        for (const QString& entry : JukeboxFixture::texts(form->playlist)) {
            if (entryKindForPlayer(entry) == EntryKind::Marked)
                files.append(markedPath(entry).toString());
            else
                files.append(trimBlanks(form->library.record(recordOfCodedEntry(entry)).fileMenu).toString());
        }
        QCOMPARE(files, (QStringList{media(2), media(3), media(8), media(11)}));
        QCOMPARE(entryKindForPlayer(form->playlist->item(1)->text()), EntryKind::Marked);
    }

    void titleListNamesItsOwnRecordsAfterRemoveAll()
    {
        start();
        form->genreFilter->setCurrentIndex(form->genreFilter->findText("Rock"));
        form->showAllButton->click(); // the titles of the odd records
        form->lists->selectTitleRow(form->titleList->count() - 1);
        const QString selected = visibleTextOfCodedEntry(form->titleList->currentItem()->text()).toString();
        form->checkDatabaseAction->trigger();
        form->removeAllMissingButton->click(); // removes 3, 7 and 12

        // Until Done rebuilds the list, a title dragged from it must add its own record.
        QStringList titles;
        for (const QString& entry : JukeboxFixture::texts(form->titleList)) {
            const int r = recordOfCodedEntry(entry);
            QVERIFY(r >= 1 && r <= form->library.recordCount());
            QCOMPARE(trimBlanks(form->library.Title(r)), trimBlanks(visibleTextOfCodedEntry(entry)));
            titles.append(trimBlanks(visibleTextOfCodedEntry(entry)).toString());
        }
        titles.sort();
        QCOMPARE(titles, (QStringList{"Song 1", "Song 11", "Song 5", "Song 9"}));
        QCOMPARE(visibleTextOfCodedEntry(form->titleList->currentItem()->text()).toString(), selected);
    }

    void failedRewriteKeepsTheRemovalsPending()
    {
        start("db");
        QVERIFY(QDir(f->dir.filePath("db")).removeRecursively());
        form->checkDatabaseAction->trigger();
        form->removeAllMissingButton->click();
        form->checkDoneButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(form->check->CheckRemoved);
        QVERIFY(form->DatabaseChanged);
        QVERIFY(!QFile::exists(database));
        QCOMPARE(form->library.recordCount(), 9);

        // Once the folder is back, the next Done of the check stores the removals.
        QVERIFY(QDir(f->dir.path()).mkdir("db"));
        form->checkDatabaseAction->trigger();
        QCOMPARE(form->missingList->count(), 0);
        form->checkDoneButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(!form->check->CheckRemoved);
        QCOMPARE(fileBytes(database), utf8Database(recordsWithout({3, 7, 12})));
    }
};

QTEST_MAIN(TestDatabaseCheck)
#include "tst_database_check.moc"
