#include "ScriptedSeams.h"
#include "core/SharedTexts.h"
#include "ui/seams/QtSeams.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>

#include <QTest>

class TestFileDialog : public QObject
{
    Q_OBJECT
private slots:
    // One request's title does not carry over to the next use; the file chosen last is
    // remembered, and offered when a request asks for it.
    void titleHoldsForOneShowing()
    {
        ScriptedFileDialog dialog;
        dialog.answers = {"/music/list.vxplaylist", ""};
        FileDialog::Request save;
        save.title = "Save Playlist";
        QCOMPARE(dialog.showSave(nullptr, save), QString("/music/list.vxplaylist"));
        QCOMPARE(dialog.fileName(), QString("/music/list.vxplaylist"));
        QCOMPARE(dialog.fileTitle(), QString("list.vxplaylist"));
        FileDialog::Request again;
        again.offerLastFile = true;
        dialog.showSave(nullptr, again);
        QCOMPARE(dialog.uses.size(), 2);
        QCOMPARE(dialog.uses[0].title, QString("Save Playlist"));
        QVERIFY(dialog.uses[0].fileName.isEmpty());
        QVERIFY(dialog.uses[1].title.isEmpty());
        QCOMPARE(dialog.uses[1].fileName, QString("/music/list.vxplaylist"));
        QVERIFY(dialog.fileName().isEmpty()); // cancelled
    }

    void filtersReadAsWritten_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one extension") << "Vexolin Playlist|*.vxplaylist" << "Vexolin Playlist (*.vxplaylist)";
        QTest::newRow("all files include names without a dot") << "All Files|*.*" << "All Files (*)";
        QTest::newRow("several patterns") << "Lists|*.m3u; *.pls" << "Lists (*.m3u *.pls)";
        QTest::newRow("no bar") << "*.txt" << "*.txt";
        QTest::newRow("several filters") << "Media|*.mp3;*.wav|All Files|*.*" << "Media (*.mp3 *.wav);;All Files (*)";
    }
    void filtersReadAsWritten()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFilter(filter), qt);
    }

    // The dialog the program shows offers the files of the filter whatever the case of their
    // names, and shows the filter as written.
    void dialogOffersFilesOfAnyCase()
    {
        QTemporaryDir dir;
        for (const char* name : {"Demo.VxDatabase", "LOUD.VXDATABASE", "quiet.vxdatabase", "notes.txt"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString workingDirectory = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path())); // a dialog offering no file opens here

        QStringList filtersShown;
        QStringList listed;
        QTimer watch;
        QElapsedTimer waited;
        waited.start();
        connect(&watch, &QTimer::timeout, this, [&] {
            auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!shown) {
                if (waited.elapsed() > 10000)
                    watch.stop(); // no dialog: the comparisons below fail
                return;
            }
            auto* files = shown->findChild<QListView*>(QStringLiteral("listView"));
            if (files && files->model()->rowCount(files->rootIndex()) < 3 && waited.elapsed() < 10000)
                return; // the directory is still being read
            watch.stop();
            filtersShown = shown->nameFilters();
            for (int row = 0; files && row < files->model()->rowCount(files->rootIndex()); ++row)
                listed.append(files->model()->index(row, 0, files->rootIndex()).data().toString());
            shown->reject();
        });
        watch.start(20);

        QtFileDialog dialog;
        const QString chosen = dialog.showOpen(nullptr, {.filter = DatabaseFilter, .title = "Open Database"});
        QDir::setCurrent(workingDirectory);

        QVERIFY(chosen.isEmpty());
        QCOMPARE(filtersShown, QStringList{"Vexolin Database (*.vxdatabase)"});
        listed.sort();
        QCOMPARE(listed, (QStringList{"Demo.VxDatabase", "LOUD.VXDATABASE", "quiet.vxdatabase"}));
    }
};

QTEST_MAIN(TestFileDialog)
#include "tst_file_dialog.moc"
