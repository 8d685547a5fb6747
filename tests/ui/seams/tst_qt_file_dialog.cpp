// The desktop's own file dialog behind the seam: a save over a file that is there asks first.
#include "ui/seams/QtSeams.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Calls step with the first shown top-level widget of type T as soon as there is one (a dialog
// opens inside a nested event loop); gives up after five seconds, or when context goes.
template <typename T>
void whenOpen(std::function<void(T*)> step, QObject* context = qApp, int triesLeft = 250)
{
    QTimer::singleShot(20, context, [step = std::move(step), context, triesLeft]() mutable {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* widget = qobject_cast<T*>(top); widget && widget->isVisible()) {
                step(widget);
                return;
            }
        }
        if (triesLeft > 0)
            whenOpen<T>(std::move(step), context, triesLeft - 1);
    });
}

// The desktop's dialog, asked directly with a file to offer.
class OfferingDialog : public QtFileDialog
{
public:
    using QtFileDialog::ask;
};

} // namespace

class TestQtFileDialog : public QObject
{
    Q_OBJECT
private slots:
    // Choosing a file that is there asks whether to replace it; No returns to the dialog, Yes
    // takes the file.
    void saveOverAFileThatIsThereAsksFirst_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("No returns to the dialog") << false;
        QTest::newRow("Yes takes the file") << true;
    }
    void saveOverAFileThatIsThereAsksFirst()
    {
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString song = dir.filePath("song.wav");
        QFile file(song);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("RIFF") == 4);
        file.close();

        bool asked = false;
        bool stillOpenAfterNo = false;
        whenOpen<QFileDialog>([&](QFileDialog* dialog) {
            whenOpen<QMessageBox>([&, dialog](QMessageBox* question) {
                asked = question->text().contains("already exists");
                question->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
                if (!replace) {
                    QTimer::singleShot(20, dialog, [&, dialog] {
                        stillOpenAfterNo = dialog->isVisible();
                        dialog->reject();
                    });
                }
            });
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
        });
        // The dialog offers the file that is there, as after an earlier choice of it.
        OfferingDialog dialog;
        const QString chosen = dialog.ask(nullptr, FileDialog::Mode::Save,
                                          {.filter = "Vexolin Playlist|*.vxplaylist", .title = "Save Playlist"}, song);

        QVERIFY(asked);
        QCOMPARE(chosen, replace ? song : QString());
        if (!replace)
            QVERIFY(stillOpenAfterNo);
    }

    // A name typed without an extension is saved with the request's suffix, and the question
    // before replacing a file is asked of that name.
    void nameWithoutExtensionGetsTheSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("asked");
        QTest::newRow("database") << "My Music" << "VxDatabase" << "My Music.VxDatabase" << false;
        QTest::newRow("playlist there already") << "Evening" << "vxplaylist" << "Evening.vxplaylist" << true;
        QTest::newRow("extension given") << "Evening.m3u" << "vxplaylist" << "Evening.m3u" << false;
        QTest::newRow("no suffix asked for") << "Evening" << "" << "Evening" << false;
    }
    void nameWithoutExtensionGetsTheSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(QString, suffix);
        QFETCH(QString, chosen);
        QFETCH(bool, asked);
        QTemporaryDir dir;
        QFile there(dir.filePath("Evening.vxplaylist"));
        QVERIFY(there.open(QIODevice::WriteOnly));
        there.close();

        bool question = false;
        QObject watching; // ends the watch for a question with the test
        whenOpen<QFileDialog>([&](QFileDialog* dialog) {
            whenOpen<QMessageBox>([&](QMessageBox* box) {
                question = box->text().contains("Evening.vxplaylist already exists");
                box->button(QMessageBox::Yes)->click();
            }, &watching);
            // Typed into the name field, which has the focus (selectFile() leaves a focused field alone).
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(typed);
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
        });
        OfferingDialog dialog;
        const QString result = dialog.ask(nullptr, FileDialog::Mode::Save,
                                          {.filter = "Vexolin Playlist|*.vxplaylist", .title = "Save", .defaultSuffix = suffix},
                                          dir.filePath("start"));
        QCOMPARE(result, dir.filePath(chosen));
        QCOMPARE(question, asked);
    }
};

QTEST_MAIN(TestQtFileDialog)
#include "tst_qt_file_dialog.moc"
