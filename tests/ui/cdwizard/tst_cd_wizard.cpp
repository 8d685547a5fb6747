// The Create CD wizard: choosing the entries, the size count, the empty directory, the copied set
// and its errors.
#include "DiskFull.h"
#include "JukeboxFixture.h"
#include "SmallDisk.h"
#include "core/CdSetNames.h"
#include "core/Library.h"
#include "core/RecordCode.h"
#include "core/TextLines.h"
#include "ui/browser/LibraryDrag.h"
#include "ui/cdwizard/CdWizard.h"
#include "ui/playback/PlayerControl.h"
#include "ui/playlist/PlaylistEditor.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>
#include <sys/resource.h>

namespace {

// What the question ends with when a set in folder stops after something was written.
QString incompleteSetNotice(const QString& folder)
{
    return "\n\nThe CD set in " + folder
           + " is incomplete. Remove the files the wizard wrote there, or keep them? A set that is kept lists every "
             "media file it holds in its database, and its readme says that it is incomplete.";
}

const QString DoneText =
    "Vexolin has now copied all media files in the playlist to the 'empty' directory you choose. "
    "Now you can burn a CD. Be sure that you copy the files IN the 'empty' directory you choose, NOT the "
    "directory itself! Click Done when ready...";

// Files under root, relative to it, sorted.
QStringList filesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QByteArray contentsOf(const QString& path)
{
    QByteArray data;
    return readWholeFile(path, data) ? data : QByteArray("<unreadable>");
}

// Copies a folder tree, as burning the set and mounting the disc elsewhere would.
void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& file : filesUnder(from)) {
        QDir().mkpath(QFileInfo(to + "/" + file).absolutePath());
        QVERIFY(QFile::copy(from + "/" + file, to + "/" + file));
    }
}

// Records the text of a label each time it is painted.
class PaintRecorder : public QObject
{
public:
    QStringList texts;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            texts.append(static_cast<QLabel*>(watched)->text());
        return false;
    }
};

} // namespace

class TestCdWizard : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    std::unique_ptr<QTemporaryDir> root; // holds the set's folder and nothing else
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString songB, tune;

    QString setDir() const { return root->filePath("set"); }

    QList<QAction*> wizardItems() const
    {
        return {w->openDatabaseAction, w->openPlaylistAction, w->saveDatabaseAction, w->savePlaylistAction, w->newDatabaseAction,
                w->editDatabaseAction, w->checkDatabaseAction, w->addFilesAction, w->dropBoxAction, w->shufflePlaylistAction,
                w->addUrlAction, w->aboutAction, w->createCdAction, w->addFolderAction, w->importFolderAction};
    }
    // Drags record n's title onto the playlist, as the user does; 0 adds a plain path entry.
    void add(int n)
    {
        if (n == 0) {
            shownPlaylist(w->playlist).append({entryOfText(songB)});
            return;
        }
        const QString entry = codedEntry(trimBlanks(j->library().record(n).title), n);
        const QStringList listed = JukeboxFixture::texts(w->titleList);
        QCOMPARE(listed.count(entry), 1);
        w->titleList->setCurrentRow(int(listed.indexOf(entry)));
        j->playlistEditor().dropOntoPlaylist(LibraryDragSource::Titles);
    }
    void startWizardWith(const QList<int>& records)
    {
        w->createCdAction->trigger();
        for (int n : records)
            add(n);
    }
    void expectClosed()
    {
        QVERIFY(w->wizardNextButton->isHidden());
        QVERIFY(w->wizardCancelButton->isHidden());
        QVERIFY(w->playerNotice->isHidden());
        QCOMPARE(w->wizardCancelButton->text(), QStringLiteral("Cancel"));
        QVERIFY(w->wizardCancelButton->isEnabled());
        for (QAction* item : wizardItems())
            QVERIFY2(item->isEnabled() || item == w->saveDatabaseAction, qPrintable(item->objectName()));
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(root->path()).mkdir("set"));
        songB = f->writeFile("songb.mp3", QByteArray(3000, 'b'));
        tune = f->writeFile("tune.OGG", QByteArray(5000, 't'));
        QDir(f->dir.path()).mkpath("v1.0");
        const QString db = f->writeDatabase("Lib.VxDatabase", {
            {"Band A", "Song B", "Rock", songB},
            {"  Duo ", "Tune", "Pop", tune},
            {"AC/DC", "Thunder", "Rock", songB},
            {"Band A", "Missing", "Rock", f->dir.filePath("missing.mp3")},
            {"Radio", "Live", "Talk", "http://radio.example/live.mp3"},
            {"Band B", "Versioned", "Rock", f->writeFile("v1.0/song", "x")},
            {"Band A", "Song B", "Rock", f->writeFile("v1.0/other.mp3", "another song")},
        });
        j = &f->start(db);
        w = &f->window();
        QCOMPARE(j->library().recordCount(), 7);
    }
    void cleanup()
    {
        f.reset();
        root.reset();
        j = nullptr;
        w = nullptr;
    }

    void createOpensTheWizardAndCancelClosesIt()
    {
        QStringList switched;
        for (QAction* item : wizardItems())
            connect(item, &QAction::enabledChanged, this, [&switched, item] { switched.append(item->objectName()); });
        QStringList order;
        for (QAction* item : wizardItems())
            order.append(item->objectName());
        // Save Database is hidden, and Qt keeps a hidden item disabled: its switching shows no change.
        order.removeOne(w->saveDatabaseAction->objectName());
        // Entry 3 of the playlist from before is the one opened last.
        shownPlaylist(w->playlist).append(entriesOfTexts({"/before/one.wav", "/before/two.wav", "/before/three.wav"}));
        w->playlist->setCurrentRow(2);
        QCOMPARE(j->playlist().position(), 3);
        f->player.calls.clear();

        w->createCdAction->trigger();
        QCOMPARE(w->playlist->count(), 0);
        QCOMPARE(j->playlist().position(), 3);
        QCOMPARE(j->cdWizard().selectionKilobytes(), 0);
        QVERIFY(!w->playerNotice->isHidden());
        QVERIFY(w->playerNotice->text().startsWith("Drag and Drop all artists and/or titles to the playlist window. "));
        QCOMPARE(w->statusLine->text(), QStringLiteral("0 Files selected, 0 Megabyte"));
        QVERIFY(!w->wizardNextButton->isHidden() && !w->wizardCancelButton->isHidden());
        QCOMPARE(w->wizardCancelButton->text(), QStringLiteral("Cancel"));
        QCOMPARE(switched, order);
        for (QAction* item : wizardItems())
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {w->removeAction, w->clearPlaylistAction, w->exitAction, w->searchAction, w->helpAction})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));

        // Entries dragged in count their sizes; the status line shows them.
        add(1);
        add(2);
        QCOMPARE(j->cdWizard().selectionKilobytes(), 8); // 3000 + 5000 bytes, rounded at each step: 3, then 8
        j->updateStatus();
        QCOMPARE(w->statusLine->text(), QStringLiteral(" 2 files selected, 8 Kilobyte"));

        // A click on the playlist opens nothing while the wizard is open.
        w->playlist->setCurrentRow(0);
        QVERIFY(!f->player.calls.join(' ').contains("open"));

        switched.clear();
        w->wizardCancelButton->click();
        expectClosed();
        QCOMPARE(switched, order);
        QCOMPARE(w->playlist->count(), 2);
        j->updateStatus();
        QVERIFY(w->statusLine->text().startsWith("Artists:"));
    }

    void cancelledDialogClosesTheWizard()
    {
        // The dialog remembers a file chosen before the wizard; the wizard offers none.
        f->fileDialog.answers = {songB};
        w->addFilesAction->trigger();
        QCOMPARE(f->fileDialog.fileName(), songB);
        f->fileDialog.uses.clear();
        startWizardWith({1});
        w->wizardNextButton->click();
        QCOMPARE(f->fileDialog.uses.size(), 1);
        const ScriptedFileDialog::Use& use = f->fileDialog.uses.first();
        QCOMPARE(use.mode, FileDialog::Mode::Save);
        QCOMPARE(use.filter, QStringLiteral("All file types|*.*"));
        QCOMPARE(use.title, QStringLiteral("Enter a name for the database in an EMPTY directory!"));
        QCOMPARE(use.fileName, QString());
        QVERIFY(f->messageBox.shown.isEmpty());
        expectClosed();
        QCOMPARE(filesUnder(root->path()), QStringList());
    }

    void directoryWithFilesIsRefusedUntilAnEmptyOneIsChosen()
    {
        QDir(root->path()).mkdir("full");
        QFile(root->filePath("full/x.txt")).open(QIODevice::WriteOnly);
        // Folders and hidden files do not count.
        QDir(setDir()).mkdir("folder");
        QFile(setDir() + "/.hidden").open(QIODevice::WriteOnly);
        startWizardWith({1});
        f->fileDialog.answers = {root->filePath("full/disc"), setDir() + "/Disc.vxDATABASE"};
        w->wizardNextButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, QStringLiteral("Directory is not empty!"));
        QCOMPARE(f->messageBox.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(f->fileDialog.uses.size(), 2);
        QCOMPARE(f->fileDialog.uses[1].fileName, QString());
        QCOMPARE(w->wizardCancelButton->text(), QStringLiteral("Done"));
        // The name already ends in the extension, in another case: nothing is appended.
        QCOMPARE(filesUnder(setDir()), QStringList({".hidden", "Disc.vxDATABASE", "mediafiles/Band A-Song B.mp3",
                                                   "readme.txt"}));
    }

    // Named pipes, links and devices make a folder "not empty" like files do; the wizard never
    // opens them (a FIFO named as the database would block it for good).
    void folderWithAnyEntryButFoldersIsNotEmpty_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO named as the database") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("broken link") << "broken";
    }
    void folderWithAnyEntryButFoldersIsNotEmpty()
    {
        QFETCH(QString, kind);
        QDir(root->path()).mkdir("odd");
        const QByteArray entry = QFile::encodeName(root->filePath("odd/disc.VxDatabase"));
        if (kind == "fifo")
            QVERIFY(::mkfifo(entry.constData(), 0600) == 0);
        else
            QVERIFY(::symlink(kind == "zero" ? "/dev/zero" : "/nowhere/at/all", entry.constData()) == 0);
        startWizardWith({1});
        f->fileDialog.answers = {root->filePath("odd/disc.VxDatabase"), setDir() + "/Disc.vxDATABASE"};
        w->wizardNextButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, QStringLiteral("Directory is not empty!"));
        QCOMPARE(QDir(root->filePath("odd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{"disc.VxDatabase"});
    }

    void writesASetThatWorksWhereverItIsMounted()
    {
        startWizardWith({1, 2, 1});
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        PaintRecorder paints;
        w->statusLine->installEventFilter(&paints);
        f->fileDialog.answers = {setDir() + "/disc"};
        w->wizardNextButton->click();

        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(filesUnder(root->path()), QStringList({"set/disc.VxDatabase", "set/mediafiles/Band A-Song B.mp3",
                                                       "set/mediafiles/Duo-Tune.OGG", "set/readme.txt"}));
        QCOMPARE(contentsOf(setDir() + "/mediafiles/Band A-Song B.mp3"), contentsOf(songB));
        QCOMPARE(contentsOf(setDir() + "/mediafiles/Duo-Tune.OGG"), contentsOf(tune));
        QCOMPARE(contentsOf(setDir() + "/disc.VxDatabase"),
                 QByteArray("Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"
                            "Duo\r\nTune\r\nPop\r\n#:/mediafiles/Duo-Tune.OGG\r\n"
                            "Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"));
        const QByteArray readme = contentsOf(setDir() + "/readme.txt");
        QVERIFY(readme.startsWith("To use the VxDatabase file on this CD,\r\nyou must have Vexolin V1.7"));
        QCOMPARE(readme.count("\r\n"), 10);
        QVERIFY(readme.endsWith("\r\n"));

        // Progress was painted after each file, counting down files and size.
        QCOMPARE(paints.texts, QStringList({" 3 files to copy, 11 Kilobyte", " 2 files to copy, 8 Kilobyte",
                                            " 1 files to copy, 3 Kilobyte", " 0 files to copy, 0 Kilobyte"}));
        QCOMPARE(j->cdWizard().selectionKilobytes(), 0);

        QCOMPARE(w->playerNotice->text(), DoneText);
        QVERIFY(w->wizardNextButton->isHidden());
        QVERIFY(w->wizardCancelButton->isEnabled());
        QCOMPARE(w->wizardCancelButton->text(), QStringLiteral("Done"));
        j->updateStatus();
        QVERIFY(w->statusLine->text().startsWith("Artists:"));
        w->wizardCancelButton->click();
        expectClosed();

        // The real loader finds every copied file, from the set's folder and from a copy of it.
        const QString mounted = root->filePath("disc");
        copyTree(setDir(), mounted);
        for (const QString& database : {setDir() + "/disc.VxDatabase", mounted + "/disc.VxDatabase"}) {
            JukeboxFixture reader;
            const Jukebox& loaded = reader.start(database);
            QCOMPARE(loaded.library().recordCount(), 3);
            QVERIFY(loaded.library().isOpen());
            const QStringList sources{songB, tune, songB};
            for (int n = 1; n <= 3; ++n) {
                const QString file = trimBlanks(loaded.library().table().paddedFile(n)).toString();
                QVERIFY2(file.startsWith(QFileInfo(database).absolutePath() + "/mediafiles/"), qPrintable(file));
                QCOMPARE(contentsOf(file), contentsOf(sources[n - 1]));
            }
        }
    }

    void emptyPlaylistWritesAnEmptyDatabaseAndTheReadme()
    {
        startWizardWith({});
        f->fileDialog.answers = {setDir() + "/disc"};
        w->wizardNextButton->click();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(w->wizardCancelButton->text(), QStringLiteral("Done"));
        QCOMPARE(filesUnder(setDir()), QStringList({"disc.VxDatabase", "readme.txt"}));
        QCOMPARE(QFileInfo(setDir() + "/disc.VxDatabase").size(), 0);
        QVERIFY(QFileInfo(setDir() + "/mediafiles").isDir());
        QCOMPARE(w->statusLine->text(), QStringLiteral(" 0 files to copy, 0 Kilobyte"));
    }

    // Two different files of one artist and title are both copied; each record names its own.
    void differentFilesOfOneTitleAreBothCopied()
    {
        startWizardWith({1, 7, 1});
        f->fileDialog.answers = {setDir() + "/disc"};
        w->wizardNextButton->click();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(filesUnder(setDir()), (QStringList{"disc.VxDatabase", "mediafiles/Band A-Song B (2).mp3",
                                                    "mediafiles/Band A-Song B.mp3", "readme.txt"}));
        QCOMPARE(contentsOf(setDir() + "/mediafiles/Band A-Song B.mp3"), contentsOf(songB));
        QCOMPARE(contentsOf(setDir() + "/mediafiles/Band A-Song B (2).mp3"), QByteArray("another song"));
        QCOMPARE(contentsOf(setDir() + "/disc.VxDatabase"),
                 QByteArray("Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"
                            "Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B (2).mp3\r\n"
                            "Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"));
    }

    // A copy that a file-size limit cuts short leaves nothing under its name, the program lives
    // on, and the user reads which file failed, why, and that the set is incomplete; closing the
    // question keeps the set, which lists every copy it holds and says it is incomplete.
    void copyCutShortIsToldAndTheSetKept()
    {
        startWizardWith({1, 2}); // 3000 bytes fit under the limit, 5000 do not
        f->fileDialog.answers = {setDir() + "/disc"};
        {
            const DiskFull full(4000);
            w->wizardNextButton->click();
        }
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(f->messageBox.asked.size(), 1);
        const RecordingMessageBox::Shown& question = f->messageBox.asked[0];
        QCOMPARE(question.text, "An error occured\n\n" + setDir() + "/mediafiles/Duo-Tune.OGG: File too large"
                                    + incompleteSetNotice(setDir()));
        QCOMPARE(question.title, QStringLiteral("Error"));
        QCOMPARE(question.buttons, QStringList({"Remove", "Keep"}));
        expectClosed();
        QCOMPARE(filesUnder(setDir()), QStringList({"disc.VxDatabase", "mediafiles/Band A-Song B.mp3", "readme.txt"}));
        QCOMPARE(contentsOf(setDir() + "/disc.VxDatabase"),
                 QByteArray("Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"));
        QVERIFY(contentsOf(setDir() + "/readme.txt").startsWith("THIS CD SET IS INCOMPLETE"));
    }

    // On a full disk the user removes what the wizard wrote, or keeps it; a removed set leaves the
    // folder as it was, so the next try into it goes ahead.
    void fullDiskSetIsRemovedOrKept_data()
    {
        QTest::addColumn<bool>("remove");
        QTest::newRow("Remove") << true;
        QTest::newRow("Keep") << false;
    }
    void fullDiskSetIsRemovedOrKept()
    {
        QFETCH(bool, remove);
        // 16 pages: 12 taken by another file, then the database, the readme and one page of copy.
        SmallDisk disk(64 * 1024);
        if (!disk.isMounted())
            QSKIP("mounting a small tmpfs needs root");
        const QString theirs = disk.filePath("theirs.bin");
        {
            QFile file(theirs);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(48 * 1024, 'x')) == 48 * 1024);
        }
        const QString set = disk.filePath("set");
        QVERIFY(QDir().mkpath(set + "/their folder"));
        startWizardWith({1, 2});
        f->fileDialog.answers = {set + "/disc"};
        f->messageBox.yesOrNo = {remove};
        w->wizardNextButton->click();

        QCOMPARE(f->messageBox.asked.size(), 1);
        QCOMPARE(f->messageBox.asked[0].text, "An error occured\n\n" + set + "/mediafiles/Duo-Tune.OGG: No space left on device"
                                                  + incompleteSetNotice(set));
        QVERIFY(f->messageBox.shown.isEmpty());
        expectClosed();
        if (!remove) {
            QCOMPARE(filesUnder(set), QStringList({"disc.VxDatabase", "mediafiles/Band A-Song B.mp3", "readme.txt"}));
            QCOMPARE(contentsOf(set + "/mediafiles/Band A-Song B.mp3"), contentsOf(songB));
            QVERIFY(contentsOf(set + "/readme.txt").startsWith("THIS CD SET IS INCOMPLETE"));
            return;
        }
        QCOMPARE(QDir(set).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"their folder"});
        QVERIFY(QFile::exists(theirs));

        // With room made, the same folder takes the whole set.
        QVERIFY(QFile::remove(theirs));
        w->createCdAction->trigger();
        add(1);
        add(2);
        f->fileDialog.answers = {set + "/disc"};
        w->wizardNextButton->click();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(w->wizardCancelButton->text(), QStringLiteral("Done"));
        QCOMPARE(filesUnder(set), QStringList({"disc.VxDatabase", "mediafiles/Band A-Song B.mp3",
                                               "mediafiles/Duo-Tune.OGG", "readme.txt"}));
        QCOMPARE(contentsOf(set + "/readme.txt"), encodeLines(readmeLines()));
    }

    void errorsCloseTheWizardAndNeverWriteOutsideTheSet_data()
    {
        QTest::addColumn<QList<int>>("entries"); // records dragged in; 0 = a plain path entry
        QTest::addColumn<bool>("mediaFolderExists");
        QTest::addColumn<QStringList>("files"); // everything under the root afterwards (the set kept)
        QTest::addColumn<QString>("reason");    // what the message says after "An error occured"
        QTest::addColumn<bool>("incomplete");   // the set was begun: the user is asked what becomes of it
        QTest::newRow("missing file after a copied one")
            << QList<int>{1, 4} << false
            << QStringList{"set/disc.VxDatabase", "set/mediafiles/Band A-Song B.mp3", "set/readme.txt"}
            << "missing.mp3: No such file or directory" << true;
        QTest::newRow("URL") << QList<int>{5} << false << QStringList{"set/disc.VxDatabase", "set/readme.txt"}
                             << "http://radio.example/live.mp3: No such file or directory" << true;
        QTest::newRow("separator in the artist") << QList<int>{1, 3} << false << QStringList{} << "" << false;
        QTest::newRow("separator in the extension") << QList<int>{6} << false << QStringList{} << "" << false;
        QTest::newRow("plain entry") << QList<int>{1, 0} << false << QStringList{} << "" << false;
        QTest::newRow("media folder exists") << QList<int>{1} << true << QStringList{}
                                             << "mediafiles: the folder cannot be made" << false;
    }
    void errorsCloseTheWizardAndNeverWriteOutsideTheSet()
    {
        QFETCH(QList<int>, entries);
        QFETCH(bool, mediaFolderExists);
        QFETCH(QStringList, files);
        QFETCH(QString, reason);
        QFETCH(bool, incomplete);
        if (mediaFolderExists)
            QVERIFY(QDir(setDir()).mkdir("mediafiles"));
        startWizardWith(entries);
        f->fileDialog.answers = {setDir() + "/disc"};
        w->wizardNextButton->click();

        const QList<RecordingMessageBox::Shown>& told = incomplete ? f->messageBox.asked : f->messageBox.shown;
        QCOMPARE(f->messageBox.shown.size() + f->messageBox.asked.size(), 1);
        QCOMPARE(told.size(), 1);
        const QString text = told[0].text;
        if (reason.isEmpty())
            QCOMPARE(text, QStringLiteral("An error occured"));
        else
            QVERIFY2(text.startsWith(QStringLiteral("An error occured\n\n"))
                         && text.endsWith(reason + (incomplete ? incompleteSetNotice(setDir()) : QString())),
                     qPrintable(text));
        QCOMPARE(told[0].title, QStringLiteral("Error"));
        expectClosed();
        QCOMPARE(filesUnder(root->path()), files);
        QCOMPARE(w->playlist->count(), entries.size());
        if (files.contains("set/mediafiles/Band A-Song B.mp3")) {
            QCOMPARE(contentsOf(setDir() + "/mediafiles/Band A-Song B.mp3"), contentsOf(songB));
            QCOMPARE(contentsOf(setDir() + "/disc.VxDatabase"),
                     QByteArray("Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"));
        }
        if (incomplete)
            QVERIFY(contentsOf(setDir() + "/readme.txt").startsWith("THIS CD SET IS INCOMPLETE"));
    }
};

QTEST_MAIN(TestCdWizard)
#include "tst_cd_wizard.moc"
