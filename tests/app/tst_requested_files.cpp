#include "JukeboxFixture.h"
#include "app/RequestedFiles.h"
#include "core/Library.h"
#include "ui/playback/PlayerControl.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QDialog>
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include <QTest>
#include <QTimer>

// The files a start of the program names: on its own command line, and handed over by a later
// start to the running window.
class TestRequestedFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    QString database;  // two records of the artist "Old"
    QString other;     // one record of the artist "New"
    QString playlist;  // two entries
    QString first;     // media files
    QString second;

    QStringList playlistTexts() const { return JukeboxFixture::texts(f->window().playlist); }
    QStringList opened() const { return f->player.calls.filter(QRegularExpression("^open ")); }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        database = f->writeDatabase("Old.VxDatabase", {{"Old", "One", "Pop", "/m/1.mp3"}, {"Old", "Two", "Pop", "/m/2.mp3"}});
        other = f->writeDatabase("New.VxDatabase", {{"New", "Three", "Rock", "/m/3.mp3"}});
        playlist = f->writeFile("List.m3u", "/m/x.mp3\r\n/m/y.mp3\r\n");
        first = f->writeFile("first.wav", "");
        second = f->writeFile("second.wav", "");
    }

    // Media files are appended and the first of them plays; a playlist's entries go where it
    // stands; a start with nothing opens nothing.
    void startUpOpensTheFilesInOrder_data()
    {
        QTest::addColumn<QStringList>("files"); // of "list", "first", "second"
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("playing"); // 1-based entry opened; 0 for none
        QTest::newRow("nothing") << QStringList{} << QStringList{} << 0;
        QTest::newRow("one media file") << QStringList{"first"} << QStringList{"first"} << 1;
        QTest::newRow("a playlist, then two media files")
            << QStringList{"list", "first", "second"} << QStringList{"/m/x.mp3", "/m/y.mp3", "first", "second"} << 3;
        QTest::newRow("media around a playlist: the first plays")
            << QStringList{"second", "list", "first"} << QStringList{"second", "/m/x.mp3", "/m/y.mp3", "first"} << 1;
        QTest::newRow("a playlist alone plays nothing") << QStringList{"list"} << QStringList{"/m/x.mp3", "/m/y.mp3"} << 0;
    }
    void startUpOpensTheFilesInOrder()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, entries);
        QFETCH(int, playing);
        const QHash<QString, QString> paths{{"list", playlist}, {"first", first}, {"second", second}};
        QStringList named;
        for (const QString& file : files)
            named.append(paths[file]);
        f->jukebox->start(named, QSize(1024, 768));
        QStringList expected;
        for (const QString& entry : entries)
            expected.append(paths.value(entry, entry));
        QCOMPARE(playlistTexts(), expected);
        QCOMPARE(f->jukebox->playlist().position(), playing);
        if (playing) {
            QCOMPARE(opened().last(), "open " + expected[playing - 1]);
            QCOMPARE(f->window().windowTitle(), "Vexolin: " + expected[playing - 1]);
        } else {
            QVERIFY(opened().isEmpty());
        }
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    // Handed over, a database replaces the open one as File > Open Database does, a playlist adds
    // its entries and a media file plays; nothing happens inside the bus's call, and the window
    // comes to the front.
    void handedOverFilesOpenFromTheEventLoop()
    {
        Jukebox& j = f->start(database);
        MainWindow& w = j.window();
        w.showMinimized();
        j.requestedFiles().openHandedOver({other, playlist, first});
        QCOMPARE(j.library().recordCount(), 2);
        QVERIFY(playlistTexts().isEmpty());
        QVERIFY(w.isVisible() && !(w.windowState() & Qt::WindowMinimized));

        QTRY_COMPARE(playlistTexts(), (QStringList{"/m/x.mp3", "/m/y.mp3", first}));
        QCOMPARE(j.library().recordCount(), 1);
        QCOMPARE(JukeboxFixture::texts(w.artistList).join("|").trimmed(), QString("New"));
        QCOMPARE(j.playlist().position(), 3);
        QCOMPARE(opened().last(), "open " + first);

        // Two more starts: the first file of each start plays; nothing waits in between.
        j.requestedFiles().openHandedOver({second, first});
        j.requestedFiles().openHandedOver({second});
        QTRY_COMPARE(playlistTexts().size(), 6);
        QCOMPARE(j.playlist().position(), 6);
        QCOMPARE(opened().mid(opened().size() - 2), (QStringList{"open " + second, "open " + second}));
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    // While a dialog waits for the user, handed-over files wait for it to close.
    void handedOverFilesWaitWhileADialogIsOpen()
    {
        Jukebox& j = f->start();
        QDialog dialog(&j.window());
        int entriesWhileOpen = -1;
        QTimer::singleShot(0, &dialog, [&] { j.requestedFiles().openHandedOver({first}); });
        QTimer::singleShot(300, &dialog, [&] {
            entriesWhileOpen = j.window().playlist->count();
            dialog.accept();
        });
        dialog.exec();
        QCOMPARE(entriesWhileOpen, 0);
        QTRY_COMPARE(playlistTexts(), QStringList{first});
    }

    // The record editor, the database check and the CD wizard keep their state: what the mode's
    // menu items do not allow is left out, and the user is told why.
    void modesLeaveOutWhatTheyDoNotAllow_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("entries"); // after the database, a playlist and a media file
        QTest::addColumn<QString>("told");
        QTest::newRow("record editor: media files only")
            << "editDatabaseAction" << int(WindowMode::Editing) << QStringList{"first"}
            << "Vexolin cannot open these files now:\n\n@New\n@List\n\nThe record editor is open: finish with "
               "Done, then open them again.";
        QTest::newRow("database check: no database")
            << "checkDatabaseAction" << int(WindowMode::Checking) << QStringList{"/m/x.mp3", "/m/y.mp3", "first"}
            << "Vexolin cannot open @New now.\n\nThe database check is open: finish with Done, then open it again.";
        QTest::newRow("CD wizard: nothing")
            << "createCdAction" << int(WindowMode::CdWizard) << QStringList{}
            << "Vexolin cannot open these files now:\n\n@New\n@List\n@first\n\nThe Create CD wizard is open: "
               "finish or cancel it, then open them again.";
    }
    void modesLeaveOutWhatTheyDoNotAllow()
    {
        QFETCH(QString, menuItem);
        QFETCH(int, mode);
        QFETCH(QStringList, entries);
        QFETCH(QString, told);
        Jukebox& j = f->start(database);
        j.window().findChild<QAction*>(menuItem)->trigger();
        QCOMPARE(int(j.mode().current()), mode);
        f->messageBox.shown.clear();

        j.requestedFiles().openHandedOver({other, playlist, first});
        QTRY_COMPARE(f->messageBox.shown.size(), 1);
        told.replace("@New", other).replace("@List", playlist).replace("@first", first);
        QCOMPARE(f->messageBox.shown[0].text, told);
        QCOMPARE(f->messageBox.shown[0].title, QString("Vexolin"));
        QCOMPARE(playlistTexts(), entries.replaceInStrings("first", first));
        QCOMPARE(int(j.mode().current()), mode);
        QCOMPARE(j.library().recordCount(), 2);
        QCOMPARE(j.library().path(), database);
    }
};

QTEST_MAIN(TestRequestedFiles)
#include "tst_requested_files.moc"
