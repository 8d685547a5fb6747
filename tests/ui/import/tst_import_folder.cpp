// Database > Import folder...: when it may run, the window and its progress, the records it adds
// in one append and lists, what it leaves out (files already in, no room) and tells, and Cancel.
#include "JukeboxFixture.h"
#include "core/DatabaseFormat.h"
#include "core/Library.h"
#include "core/SharedTexts.h"
#include "ui/import/FolderImport.h"
#include "ui/import/ImportWindow.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

class TestImportFolder : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString db, music, tagged, named, known, bad;

    void start()
    {
        f = std::make_unique<JukeboxFixture>();
        music = f->dir.filePath("music");
        QVERIFY(QDir().mkpath(music + "/Band"));
        tagged = f->writeFile("music/Band/tagged.mp3", "x");
        named = f->writeFile("music/Band/Abba - Waterloo.mp3", "x");
        known = f->writeFile("music/Band/known.mp3", "x");
        bad = f->writeFile("music/Band/bad.mp3", "x");
        f->writeFile("music/cover.jpg", "x");
        f->tags.tags[tagged] = {"Tag Artist", "Tag Title", "Rock"};
        f->tags.unreadable[bad] = "Input/output error";
        db = f->writeDatabase("Music.VxDatabase", {{"Granite", "Stone Cold", "Rock", known}});
        j = &f->start(db);
        w = &f->window();
        QCOMPARE(j->library().recordCount(), 1);
    }
    ImportWindow* openWindow(const QString& folder)
    {
        f->fileDialog.folderAnswers = {folder};
        w->importFolderAction->trigger();
        return j->folderImport().importWindow();
    }
    // Runs an import of folder to its end; false when it did not end in time.
    bool import(const QString& folder, const QString& genre = {})
    {
        ImportWindow* window = openWindow(folder);
        if (!window)
            return false;
        if (!genre.isEmpty())
            window->genreField->setText(genre);
        QSignalSpy finished(&j->folderImport(), &FolderImport::finished);
        window->importButton->click();
        return finished.wait(10000);
    }

private slots:
    void init() { start(); }
    void cleanup() { f.reset(); }

    void availableWithAnOpenDatabaseOutsideTheCheckAndTheWizard()
    {
        QAction* item = w->importFolderAction;
        QCOMPARE(item->text(), QString("&Import folder..."));
        QVERIFY(item->isEnabled());
        w->editDatabaseAction->trigger();
        QVERIFY(item->isEnabled());
        w->doneEditingButton->click();
        w->checkDatabaseAction->trigger();
        QVERIFY(j->mode().isChecking());
        QVERIFY(!item->isEnabled());
        j->mode().leave();
        QVERIFY(item->isEnabled());
        j->mode().enter(WindowMode::CdWizard);
        QVERIFY(!item->isEnabled());
        j->library().close();
        j->mode().leave();
        QVERIFY(!item->isEnabled()); // no database open
        JukeboxFixture empty;
        empty.start();
        QVERIFY(!empty.window().importFolderAction->isEnabled());
        QVERIFY(empty.window().addFolderAction->isEnabled());
    }

    void importAddsTheNewFilesInOneAppendAndListsThem()
    {
        const QByteArray before = fileBytes(db);
        ImportWindow* window = openWindow(music);
        QVERIFY(window && window->isVisible());
        QCOMPARE(f->fileDialog.uses.last().mode, FileDialog::Mode::Folder);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(window->folderLabel->text(), music);
        QCOMPARE(window->genreField->text(), QString("Unknown"));
        QCOMPARE(window->progressBar->accessibleName(), QString("Import progress"));
        window->genreField->setText("Jazz");
        QSignalSpy finished(&j->folderImport(), &FolderImport::finished);
        window->importButton->click();
        QVERIFY(!window->genreField->isEnabled() && !window->importButton->isEnabled());
        QVERIFY(finished.wait(10000));

        QVERIFY(!j->folderImport().importWindow());
        QCOMPARE(j->library().recordCount(), 3);
        const LibraryRecord& first = j->library().record(2);
        const LibraryRecord& second = j->library().record(3);
        QCOMPARE((QStringList{first.artist, first.title, first.genre, first.file}),
                 (QStringList{"Abba", "Waterloo", "Jazz", named}));
        QCOMPARE((QStringList{second.artist, second.title, second.genre, second.file}),
                 (QStringList{"Tag Artist", "Tag Title", "Rock", tagged}));
        QCOMPARE(fileBytes(db), before + formatRecord(first) + formatRecord(second));
        QVERIFY(!j->library().needsRewrite());
        // The lists show the whole library.
        QCOMPARE(w->genreFilter->currentText(), AllGenres);
        QCOMPARE(JukeboxFixture::texts(w->genreFilter), (QStringList{AllGenres, "Jazz", "Rock"}));
        QCOMPARE(w->artistList->count(), 3);
        QCOMPARE(w->titleList->count(), 3);
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, "Import of " + music + ":\n\n"
                                               "Records added: 2\n"
                                               "Files already in the database: 1\n"
                                               "Named from their file names for want of tags: 1\n"
                                               "Not read: 1\n"
                                               "    " + bad + ": Input/output error");

        // The same folder again adds nothing.
        f->messageBox.shown.clear();
        QVERIFY(import(music));
        QCOMPARE(j->library().recordCount(), 3);
        QCOMPARE(fileBytes(db), before + formatRecord(first) + formatRecord(second));
        QVERIFY(f->messageBox.shown[0].text.contains("Records added: 0\nFiles already in the database: 3\n"));
    }

    void whatTheLibraryHasNoRoomForIsCounted()
    {
        while (j->library().recordCount() < LibraryCapacity - 1)
            j->library().add(LibraryRecord::fromTexts(u"x", u"y", u"z", u"/f"));
        QVERIFY(import(music));
        QCOMPARE(j->library().recordCount(), LibraryCapacity);
        QCOMPARE(j->library().record(LibraryCapacity).file, named);
        QVERIFY(f->messageBox.shown[0].text.contains(
            "Left out because the database is full (it holds at most 25000 records): 2\n"));

        f->messageBox.shown.clear();
        w->importFolderAction->trigger();
        QVERIFY(!j->folderImport().importWindow());
        QCOMPARE(f->messageBox.shown[0].text,
                 QString("The database is full: it holds 25000 records, the most it can hold."));
    }

    void cancelAddsNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel before Import") << "button before";
        QTest::newRow("window closed before Import") << "close before";
        QTest::newRow("Cancel while reading") << "button while";
        QTest::newRow("window closed while reading") << "close while";
    }
    void cancelAddsNothing()
    {
        QFETCH(QString, how);
        const QByteArray before = fileBytes(db);
        QSemaphore reading, goOn;
        f->tags.beforeRead = [&](const QString&) {
            reading.release();
            goOn.acquire();
        };
        ImportWindow* window = openWindow(music);
        QVERIFY(window);
        QSignalSpy finished(&j->folderImport(), &FolderImport::finished);
        if (how.endsWith("while")) {
            window->importButton->click();
            QTRY_VERIFY(reading.available() > 0);
        }
        if (how.startsWith("button"))
            window->cancelButton->click();
        else
            window->close();
        goOn.release(10);
        QVERIFY(finished.count() == 1 || finished.wait(10000));

        QVERIFY(!j->folderImport().importWindow());
        QCOMPARE(j->library().recordCount(), 1);
        QCOMPARE(fileBytes(db), before);
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void aDatabaseChangedMeanwhileTakesNothing()
    {
        QSemaphore goOn;
        f->tags.beforeRead = [&](const QString&) { goOn.acquire(); };
        ImportWindow* window = openWindow(music);
        QSignalSpy finished(&j->folderImport(), &FolderImport::finished);
        window->importButton->click();
        const QByteArray changed = "Other\r\nSong\r\nPop\r\n/x.mp3\r\n";
        f->writeFile("Music.VxDatabase", changed);
        goOn.release(10);
        QVERIFY(finished.wait(10000));
        QCOMPARE(j->library().recordCount(), 1);
        QCOMPARE(fileBytes(db), changed);
        QCOMPARE(f->messageBox.shown.size(), 1);
        QVERIFY(f->messageBox.shown[0].text.contains("The 2 records found could not be added"));
        QVERIFY(f->messageBox.shown[0].text.contains("changed by another program"));
        QVERIFY(f->messageBox.shown[0].text.contains("Records added: 0"));
    }

    // The progress shows while the tags are read, and a screen reader finds it as the bar's value
    // (the platform's accessibility bridge, absent here, announces each change).
    void progressShowsWhileReading()
    {
        for (int i = 0; i < 6; ++i)
            f->writeFile(QString("music/Band/more %1.mp3").arg(i), "x");
        f->tags.beforeRead = [](const QString&) { QThread::msleep(60); };
        ImportWindow* window = openWindow(music);
        QProgressBar* bar = window->progressBar;
        QSignalSpy values(bar, &QProgressBar::valueChanged);
        QSignalSpy finished(&j->folderImport(), &FolderImport::finished);
        window->importButton->click();
        QTRY_VERIFY(!values.isEmpty() && values.last().first().toInt() > 0);
        QCOMPARE(bar->maximum(), 9); // the media files not in the database
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(accessible && accessible->valueInterface());
        QCOMPARE(accessible->valueInterface()->currentValue().toInt(), bar->value());
        QCOMPARE(accessible->text(QAccessible::Name), QString("Import progress"));
        QVERIFY(window->filesLookedAtLabel->text().toInt() >= 10);
        QVERIFY(finished.wait(10000));
    }
};

QTEST_MAIN(TestImportFolder)
#include "tst_import_folder.moc"
