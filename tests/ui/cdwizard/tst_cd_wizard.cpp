#include "JukeboxFixture.h"
#include "cdbuilder/CdWizard.h"
#include "core/RecordCode.h"
#include "core/TextLines.h"
#include "playback/StatusTimer.h"
#include "playlist/PlaylistEditing.h"
#include "core/PlaylistEntry.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

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
    Form1* form = nullptr;
    QString songB, tune;

    QString setDir() const { return root->filePath("set"); }

    QList<QAction*> wizardItems() const
    {
        return {form->openDatabaseAction, form->openPlaylistAction, form->saveDatabaseAction, form->savePlaylistAction, form->newDatabaseAction,
                form->editDatabaseAction, form->checkDatabaseAction, form->addFilesAction, form->dropBoxAction, form->shufflePlaylistAction,
                form->addUrlAction, form->aboutAction, form->createCdAction};
    }
    // Drags record n's title onto the playlist, as the user does; 0 adds a plain path entry.
    void add(int n)
    {
        if (n == 0) {
            form->playlist->addItem(songB);
            return;
        }
        const QString entry = codedEntry(trimBlanks(form->library.record(n).title), n);
        const QList<QListWidgetItem*> found = form->titleList->findItems(entry, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        form->titleList->setCurrentItem(found.first());
        form->editing->List3_DragDrop("List2");
    }
    void startWizardWith(const QList<int>& records)
    {
        form->createCdAction->trigger();
        for (int n : records)
            add(n);
    }
    void expectClosed()
    {
        QVERIFY(form->wizardNextButton->isHidden());
        QVERIFY(form->wizardCancelButton->isHidden());
        QVERIFY(form->playerNotice->isHidden());
        QCOMPARE(form->wizardCancelButton->text(), QStringLiteral("Cancel"));
        QVERIFY(form->wizardCancelButton->isEnabled());
        for (QAction* item : wizardItems())
            QVERIFY2(item->isEnabled() || item == form->saveDatabaseAction, qPrintable(item->objectName()));
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
        form = &f->start(db);
        QCOMPARE(form->library.recordCount(), 7);
    }
    void cleanup()
    {
        f.reset();
        root.reset();
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
        order.removeOne("SaveDatabase");
        form->playlist->addItem("an entry from before");
        form->PlaylistPosition = 3;

        form->createCdAction->trigger();
        QCOMPARE(form->playlist->count(), 0);
        QCOMPARE(form->PlaylistPosition, 3);
        QCOMPARE(form->SelectionSize, 0);
        QVERIFY(!form->playerNotice->isHidden());
        QVERIFY(form->playerNotice->text().startsWith("Drag and Drop all artists and/or titles to the playlist window. "));
        QCOMPARE(form->statusLine->text(), QStringLiteral("0 Files selected, 0 Megabyte"));
        QVERIFY(!form->wizardNextButton->isHidden() && !form->wizardCancelButton->isHidden());
        QCOMPARE(form->wizardCancelButton->text(), QStringLiteral("Cancel"));
        QCOMPARE(switched, order);
        for (QAction* item : wizardItems())
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        for (QAction* item : {form->removeAction, form->clearPlaylistAction, form->exitAction, form->searchAction, form->helpAction})
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));

        // Entries dragged in count their sizes; the status line shows them.
        add(1);
        add(2);
        QCOMPARE(form->SelectionSize, 8); // 3000 + 5000 bytes, rounded at each step: 3, then 8
        form->statusTimer->Timer1_Timer();
        QCOMPARE(form->statusLine->text(), QStringLiteral(" 2 files selected, 8 Kilobyte"));

        // A click on the playlist opens nothing while the wizard is open.
        form->playlist->setCurrentRow(0);
        QVERIFY(!f->player.calls.join(' ').contains("Open"));

        switched.clear();
        form->wizardCancelButton->click();
        expectClosed();
        QCOMPARE(switched, order);
        QCOMPARE(form->playlist->count(), 2);
        form->statusTimer->Timer1_Timer();
        QVERIFY(form->statusLine->text().startsWith("Artists:"));
    }

    void cancelledDialogClosesTheWizard()
    {
        startWizardWith({1});
        f->fileDialog.fileName = "left from before";
        form->wizardNextButton->click();
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
        form->wizardNextButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, QStringLiteral("Directory is not empty!"));
        QCOMPARE(f->messageBox.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(f->fileDialog.uses.size(), 2);
        QCOMPARE(f->fileDialog.uses[1].fileName, QString());
        QCOMPARE(form->wizardCancelButton->text(), QStringLiteral("Done"));
        // The name already ends in the extension, in another case: nothing is appended.
        QCOMPARE(filesUnder(setDir()), QStringList({".hidden", "Disc.vxDATABASE", "mediafiles/Band A-Song B.mp3",
                                                   "readme.txt"}));
    }

    void writesASetThatWorksWhereverItIsMounted()
    {
        startWizardWith({1, 2, 1});
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        PaintRecorder paints;
        form->statusLine->installEventFilter(&paints);
        f->fileDialog.answers = {setDir() + "/disc"};
        form->wizardNextButton->click();

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
        QCOMPARE(form->SelectionSize, 0);

        QCOMPARE(form->playerNotice->text(), DoneText);
        QVERIFY(form->wizardNextButton->isHidden());
        QVERIFY(form->wizardCancelButton->isEnabled());
        QCOMPARE(form->wizardCancelButton->text(), QStringLiteral("Done"));
        form->statusTimer->Timer1_Timer();
        QVERIFY(form->statusLine->text().startsWith("Artists:"));
        form->wizardCancelButton->click();
        expectClosed();

        // The real loader finds every copied file, from the set's folder and from a copy of it.
        const QString mounted = root->filePath("disc");
        copyTree(setDir(), mounted);
        for (const QString& database : {setDir() + "/disc.VxDatabase", mounted + "/disc.VxDatabase"}) {
            JukeboxFixture reader;
            Form1& loaded = reader.start(database);
            QCOMPARE(loaded.library.recordCount(), 3);
            QVERIFY(loaded.database.isOpen());
            const QStringList sources{songB, tune, songB};
            for (int n = 1; n <= 3; ++n) {
                const QString file = trimBlanks(loaded.library.File(n)).toString();
                QVERIFY2(file.startsWith(QFileInfo(database).absolutePath() + "/mediafiles/"), qPrintable(file));
                QCOMPARE(contentsOf(file), contentsOf(sources[n - 1]));
            }
        }
    }

    void emptyPlaylistWritesAnEmptyDatabaseAndTheReadme()
    {
        startWizardWith({});
        f->fileDialog.answers = {setDir() + "/disc"};
        form->wizardNextButton->click();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(form->wizardCancelButton->text(), QStringLiteral("Done"));
        QCOMPARE(filesUnder(setDir()), QStringList({"disc.VxDatabase", "readme.txt"}));
        QCOMPARE(QFileInfo(setDir() + "/disc.VxDatabase").size(), 0);
        QVERIFY(QFileInfo(setDir() + "/mediafiles").isDir());
        QCOMPARE(form->statusLine->text(), QStringLiteral(" 0 files to copy, 0 Kilobyte"));
    }

    void errorsCloseTheWizardAndNeverWriteOutsideTheSet_data()
    {
        QTest::addColumn<QList<int>>("entries"); // records dragged in; 0 = a plain path entry
        QTest::addColumn<bool>("mediaFolderExists");
        QTest::addColumn<QStringList>("files"); // everything under the root afterwards
        QTest::newRow("missing file after a copied one")
            << QList<int>{1, 4} << false << QStringList{"set/disc.VxDatabase", "set/mediafiles/Band A-Song B.mp3"};
        QTest::newRow("URL") << QList<int>{5} << false << QStringList{"set/disc.VxDatabase"};
        QTest::newRow("separator in the artist") << QList<int>{1, 3} << false << QStringList{};
        QTest::newRow("separator in the extension") << QList<int>{6} << false << QStringList{};
        QTest::newRow("two files, one name") << QList<int>{1, 7} << false << QStringList{};
        QTest::newRow("plain entry") << QList<int>{1, 0} << false << QStringList{};
        QTest::newRow("media folder exists") << QList<int>{1} << true << QStringList{};
    }
    void errorsCloseTheWizardAndNeverWriteOutsideTheSet()
    {
        QFETCH(QList<int>, entries);
        QFETCH(bool, mediaFolderExists);
        QFETCH(QStringList, files);
        if (mediaFolderExists)
            QVERIFY(QDir(setDir()).mkdir("mediafiles"));
        startWizardWith(entries);
        f->fileDialog.answers = {setDir() + "/disc"};
        form->wizardNextButton->click();

        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, QStringLiteral("An error occured"));
        QCOMPARE(f->messageBox.shown[0].title, QStringLiteral("Error"));
        expectClosed();
        QCOMPARE(filesUnder(root->path()), files);
        QCOMPARE(form->playlist->count(), entries.size());
        if (files.contains("set/mediafiles/Band A-Song B.mp3")) {
            QCOMPARE(contentsOf(setDir() + "/mediafiles/Band A-Song B.mp3"), contentsOf(songB));
            QCOMPARE(contentsOf(setDir() + "/disc.VxDatabase"),
                     QByteArray("Band A\r\nSong B\r\nRock\r\n#:/mediafiles/Band A-Song B.mp3\r\n"));
        }
    }
};

QTEST_MAIN(TestCdWizard)
#include "tst_cd_wizard.moc"
