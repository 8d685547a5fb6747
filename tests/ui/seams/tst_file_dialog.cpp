#include "ScriptedSeams.h"
#include "ui/seams/QtSeams.h"

#include <QtTest>

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

    void filtersMatchAnyCase_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one extension") << "Vexolin Playlist|*.vxplaylist"
                                       << "Vexolin Playlist (*.[vV][xX][pP][lL][aA][yY][lL][iI][sS][tT])";
        QTest::newRow("all files include names without a dot") << "All Files|*.*" << "All Files (*)";
        QTest::newRow("several patterns") << "Lists|*.m3u;*.pls" << "Lists (*.[mM]3[uU] *.[pP][lL][sS])";
        QTest::newRow("no bar") << "*.txt" << "*.txt";
    }
    void filtersMatchAnyCase()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFilter(filter), qt);
    }
};

QTEST_APPLESS_MAIN(TestFileDialog)
#include "tst_file_dialog.moc"
