// Every record of every writer is in the database file, or the user was told it is not saved:
// another Vexolin (a second process) or another program writing the same database, and changes
// that could not be written when the window closes or another database is opened or made.
#include "DiskFull.h"
#include "JukeboxFixture.h"
#include "core/DatabaseFormat.h"
#include "core/Library.h"
#include "core/RecordCode.h"
#include "ui/window/MainWindow.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QList<QStringList> Records = {
    {"Granite", "Stone Cold", "Rock", "/media/stone.wav"},
    {"Solo", "Lonely", "Jazz", "/media/lonely.wav"},
};
const QByteArray Theirs("Other\r\nTheirs\r\nPop\r\n/media/theirs.wav\r\n");

// Exit codes of the second Vexolin.
enum SecondResult { Written = 0, Refused = 1, RefusedAsChanged = 2 };

// A second Vexolin in a process of its own: it loads the database when started, waits until
// `go()` lets it write, then writes with `work` and ends.
class SecondVexolin
{
public:
    SecondVexolin(const QString& path, const std::function<bool(Library&)>& work)
    {
        if (pipe(loaded_) != 0 || pipe(go_) != 0)
            qFatal("no pipe");
        pid_ = fork();
        if (pid_ == 0) {
            Library library;
            const bool opened = library.load(path).opened;
            char byte = 1;
            if (write(loaded_[1], &byte, 1) != 1 || read(go_[0], &byte, 1) != 1 || !opened)
                _exit(3);
            _exit(work(library) ? Written : library.isChangedElsewhere() ? RefusedAsChanged : Refused);
        }
        char byte;
        if (read(loaded_[0], &byte, 1) != 1)
            qFatal("the second Vexolin did not start");
    }
    SecondVexolin(const SecondVexolin&) = delete;
    SecondVexolin& operator=(const SecondVexolin&) = delete;
    // A test that failed before letting it write ends it.
    ~SecondVexolin()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        for (int fd : {loaded_[0], loaded_[1], go_[0], go_[1]})
            close(fd);
    }
    // Lets it write; its result.
    int go()
    {
        char byte = 1;
        if (write(go_[1], &byte, 1) != 1)
            qFatal("the second Vexolin is gone");
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int loaded_[2] = {};
    int go_[2] = {};
};

bool addTheirs(Library& library)
{
    return library.appendToFile(library.add(LibraryRecord::fromTexts(u"Other", u"Theirs", u"Pop", u"/media/theirs.wav")));
}

} // namespace

class TestUnsavedChanges : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString db;

    QByteArray recordBytes(const QList<QStringList>& records) const
    {
        return fileBytes(f->writeDatabase("expected", records));
    }
    void fillAndAdd(const QString& file)
    {
        shownPlaylist(w->playlist).append({entryOfText(file)});
        w->playlist->setCurrentRow(w->playlist->count() - 1);
        w->artistField->setText("Mine");
        w->titleField->setText("Ours");
        w->genreField->setText("Pop");
        j->updateStatus(); // enables Add
        w->addRecordButton->click();
    }
    void removeFirstTitle()
    {
        w->titleList->setCurrentRow(0);
        w->removeRecordButton->click();
    }
    QString lastShown() const { return f->messageBox.shown.isEmpty() ? QString() : f->messageBox.shown.last().text; }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        db = f->writeDatabase("Music.VxDatabase", Records);
        j = &f->start(db);
        w = &f->window();
        QVERIFY(j->library().isOpen());
    }
    void cleanup()
    {
        f.reset();
        j = nullptr;
        w = nullptr;
    }

    // Whatever another writer did to the file, Add and Done of this window write nothing over
    // it and say that the database was changed by another program, that their change is not
    // saved, and how to reload; File > Open Database of the same path then shows the other
    // writer's records.
    void anotherWritersChangesAreNeverWrittenOver_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("action");
        for (const char* action : {"Add", "Done"}) {
            for (const char* writer : {"second Vexolin adds", "second Vexolin's Done", "editor saves by renaming",
                                       "program appends", "file removed"})
                QTest::newRow(qPrintable(QStringLiteral("%1, then %2").arg(writer, action))) << writer << action;
        }
    }
    void anotherWritersChangesAreNeverWrittenOver()
    {
        QFETCH(QString, writer);
        QFETCH(QString, action);
        w->editDatabaseAction->trigger();
        if (writer == "second Vexolin adds") {
            QCOMPARE(SecondVexolin(db, addTheirs).go(), int(Written));
        } else if (writer == "second Vexolin's Done") {
            QCOMPARE(SecondVexolin(db, [](Library& l) { l.remove(1); return l.rewrite(); }).go(), int(Written));
        } else if (writer == "editor saves by renaming") {
            // A new file renamed over the database, as text editors save, the same length.
            const QString saved = f->writeFile("Music.VxDatabase~", fileBytes(db).replace("Solo", "SOLO"));
            QVERIFY(::rename(QFile::encodeName(saved).constData(), QFile::encodeName(db).constData()) == 0);
        } else if (writer == "program appends") {
            QFile file(db);
            QVERIFY(file.open(QIODevice::Append));
            QCOMPARE(file.write(Theirs), Theirs.size());
        } else {
            QVERIFY(QFile::remove(db));
        }
        const QByteArray theirs = fileBytes(db);
        const bool removed = writer == "file removed";

        if (action == "Add") {
            fillAndAdd("/media/mine.wav");
            QCOMPARE(w->playlist->count(), 1); // the entry stays for a later Add
        } else {
            removeFirstTitle();
        }
        w->doneEditingButton->click();

        QCOMPARE(fileBytes(db), theirs);
        QCOMPARE(f->messageBox.shown.size(), 1);
        const QString told = lastShown();
        QVERIFY2(told.startsWith(db + ": the database was changed by another program"), qPrintable(told));
        QVERIFY2(told.contains("not saved") && told.contains("File > Open Database of the same path reloads"),
                 qPrintable(told));
        QCOMPARE(j->library().needsRewrite(), action == "Done");

        if (removed)
            return;
        // Reloading asks about the removal not saved; the user lets it go.
        f->messageBox.answers = {MessageBox::Answer::Discard};
        f->fileDialog.answers = {db};
        w->openDatabaseAction->trigger();
        QCOMPARE(f->messageBox.asked.size(), action == "Done" ? 1 : 0);
        QVERIFY(j->library().isOpen());
        Library reread;
        QVERIFY(reread.load(db).opened);
        QCOMPARE(j->library().recordCount(), reread.recordCount());
        // Now it writes again.
        w->editDatabaseAction->trigger();
        fillAndAdd("/media/mine.wav");
        QCOMPARE(fileBytes(db), theirs + recordBytes({{"Mine", "Ours", "Pop", "/media/mine.wav"}}));
    }

    // Two Vexolins on one database, each loaded before the other wrote: whichever writes second
    // is refused and writes nothing, so the first one's record stays.
    void secondOfTwoVexolinsIsRefused()
    {
        SecondVexolin second(db, addTheirs);
        w->editDatabaseAction->trigger();
        fillAndAdd("/media/mine.wav");
        QVERIFY(f->messageBox.shown.isEmpty());
        const QByteArray mine = fileBytes(db);
        QCOMPARE(mine, recordBytes(Records + QList<QStringList>{{"Mine", "Ours", "Pop", "/media/mine.wav"}}));

        QCOMPARE(second.go(), int(RefusedAsChanged));
        QCOMPARE(fileBytes(db), mine);
    }

    // Changes the file does not have (a failed Add, then a failed Done) are never dropped without
    // a word: closing the window, opening another database and New ask to save them, discard
    // them, or cancel.
    void pendingChangesAreAskedFor_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<MessageBox::Answer>("answer");
        QTest::addColumn<bool>("diskStillFull");
        QTest::addColumn<bool>("goesOn"); // the action was carried out
        QTest::addColumn<bool>("saved");  // the record is in the file
        using A = MessageBox::Answer;
        for (const char* action : {"close", "open", "new"}) {
            const QString a = action;
            QTest::newRow(qPrintable(a + ", save")) << a << A::Save << false << true << true;
            QTest::newRow(qPrintable(a + ", save on a full disk")) << a << A::Save << true << false << false;
            QTest::newRow(qPrintable(a + ", discard")) << a << A::Discard << false << true << false;
            QTest::newRow(qPrintable(a + ", cancel")) << a << A::Cancel << false << false << false;
        }
    }
    void pendingChangesAreAskedFor()
    {
        QFETCH(QString, action);
        QFETCH(MessageBox::Answer, answer);
        QFETCH(bool, diskStillFull);
        QFETCH(bool, goesOn);
        QFETCH(bool, saved);
        const QByteArray before = fileBytes(db);
        w->show();
        w->editDatabaseAction->trigger();
        {
            const DiskFull full(before.size() + 10);
            fillAndAdd("/media/mine.wav");
            w->doneEditingButton->click();
        }
        QCOMPARE(f->messageBox.shown.size(), 2); // "kept ... when you press Done", then Done's failure
        QVERIFY(j->library().needsRewrite());
        const QString other = f->writeDatabase("Other.VxDatabase", {{"B", "U", "Rock", "/b"}});
        const QString made = f->dir.filePath("New.VxDatabase");

        f->messageBox.answers = {answer};
        {
            std::unique_ptr<DiskFull> full;
            if (diskStillFull)
                full = std::make_unique<DiskFull>(before.size() + 10);
            if (action == "close") {
                w->close();
            } else if (action == "open") {
                f->fileDialog.answers = {other};
                w->openDatabaseAction->trigger();
            } else {
                f->fileDialog.answers = {made};
                w->newDatabaseAction->trigger();
            }
        }

        QCOMPARE(f->messageBox.asked.size(), 1);
        QVERIFY2(f->messageBox.asked[0].text.startsWith(db + ": changes are not saved yet"),
                 qPrintable(f->messageBox.asked[0].text));
        // A window that closed has closed its database too.
        const QString expectedPath = !goesOn ? db : action == "close" ? QString() : action == "open" ? other : made;
        QCOMPARE(j->library().path(), expectedPath);
        QCOMPARE(w->isVisible(), !(goesOn && action == "close"));
        QCOMPARE(fileBytes(db), saved ? recordBytes(Records + QList<QStringList>{{"Mine", "Ours", "Pop", "/media/mine.wav"}})
                                      : before);
        // A save that fails again says so; the changes stay until the user discards them.
        QCOMPARE(f->messageBox.shown.size(), diskStillFull ? 3 : 2);
        if (action != "close")
            QCOMPARE(j->library().needsRewrite(), !goesOn);
    }
};

QTEST_MAIN(TestUnsavedChanges)
#include "tst_unsaved_changes.moc"
