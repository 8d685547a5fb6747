#include "JukeboxFixture.h"
#include "core/RecordCode.h"
#include "ui/search/SearchDialog.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QLineEdit>
#include "ui/window/ListBox.h"
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

namespace {

const QList<QStringList> Artists = {
    {"Baker", "Gamma", "Rock", "/m/1.mp3"},
    {"Nadamo", "Beta", "Pop", "/m/2.mp3"},
    {"Adams", "Alpha", "Rock", "/m/3.mp3"},
};

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    MainWindow* window = nullptr;
    SearchDialog* dialog = nullptr;

    void start(const QList<QStringList>& records)
    {
        Jukebox& j = f->start(f->writeDatabase("search.VxDatabase", records));
        window = &j.window();
        dialog = &j.search();
        window->searchAction->trigger();
    }
    QString selectedArtist() const
    {
        return window->artistList->currentRow() < 0 ? QString() : window->artistList->text(window->artistList->currentRow()).trimmed();
    }

private slots:
    void init() { f = std::make_unique<JukeboxFixture>(); }
    void cleanup() { f.reset(); }

    void nextWalksTheArtistsAndStartsAgainAfterTheMessage()
    {
        start(Artists);
        dialog->artistsOption->setChecked(true);
        QVERIFY(!dialog->titlesOption->isChecked());
        dialog->searchField->setText("ADAM");

        dialog->nextButton->click();
        QCOMPARE(selectedArtist(), QString("Adams"));
        // The artist list's own handling ran: the artist field and the artist's titles.
        QCOMPARE(window->artistField->text(), QString("Adams"));
        QCOMPARE(window->titleList->count(), 1);
        QCOMPARE(visibleTextOfCodedEntry(window->titleList->text(0)).toString(), QString("Alpha"));

        dialog->nextButton->click();
        QCOMPARE(selectedArtist(), QString("Nadamo"));
        QVERIFY(f->messageBox.shown.isEmpty());

        dialog->nextButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, QString("Searchstring not found..."));
        QCOMPARE(f->messageBox.shown[0].title, QString());
        QCOMPARE(window->artistList->currentRow(), -1);

        dialog->nextButton->click();
        QCOMPARE(selectedArtist(), QString("Adams"));
    }

    void titleSearchCoversTheRecordCode_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("found"); // visible title per Next, "" for the message

        // Every record code begins with a blank; the character 160 encloses every code.
        QTest::newRow("one blank") << " " << QStringList{"Alpha", "Beta", "Gamma", "", "Alpha"};
        QTest::newRow("no-break space") << QString(NBSP) << QStringList{"Alpha", "Beta", "Gamma", ""};
        QTest::newRow("inside a title, any case") << "eT" << QStringList{"Beta", "", "Beta"};
        QTest::newRow("nowhere") << "zz" << QStringList{"", ""};
    }
    void titleSearchCoversTheRecordCode()
    {
        QFETCH(QString, wanted);
        QFETCH(QStringList, found);
        start(Artists);
        QVERIFY(dialog->titlesOption->isChecked()); // titles are chosen at first
        dialog->searchField->setText(wanted);
        int messages = 0;
        for (const QString& title : found) {
            dialog->findNext();
            if (title.isEmpty()) {
                QCOMPARE(f->messageBox.shown.size(), ++messages);
                QCOMPARE(f->messageBox.shown.last().title, QString("Search"));
                QCOMPARE(window->titleList->currentRow(), -1);
            } else {
                QCOMPARE(f->messageBox.shown.size(), messages);
                QVERIFY(window->titleList->currentRow() >= 0);
                QCOMPARE(window->titleField->text(), title); // the title list's handling ran
            }
        }
    }

    void nextDoesNothing_data()
    {
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<bool>("artists");
        QTest::addColumn<QString>("wanted");

        const QList<QStringList> single = {{"Adams", "Alpha", "Rock", "/m/1.mp3"}};
        QTest::newRow("single artist") << single << true << "Adams";
        QTest::newRow("single title") << single << false << " ";
        QTest::newRow("empty search string") << Artists << false << "";
    }
    void nextDoesNothing()
    {
        QFETCH(QList<QStringList>, records);
        QFETCH(bool, artists);
        QFETCH(QString, wanted);
        start(records);
        (artists ? dialog->artistsOption : dialog->titlesOption)->setChecked(true);
        dialog->searchField->setText(wanted);
        dialog->findNext();
        dialog->findNext();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(window->artistList->currentRow(), -1);
        QCOMPARE(window->titleList->currentRow(), -1);
    }

    void enterInTheFieldRunsNextOnce()
    {
        start(Artists);
        QVERIFY(dialog->isVisible());
        dialog->searchField->setText("a"); // every title entry: Alpha, Beta, Gamma
        QTest::keyClick(dialog->searchField, Qt::Key_Return);
        QCOMPARE(window->titleField->text(), QString("Alpha"));
        QTest::keyClick(dialog->searchField, Qt::Key_Enter);
        QCOMPARE(window->titleField->text(), QString("Beta"));
        QVERIFY(dialog->isVisible()); // Done did not take the key
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void reopeningKeepsTheTextAndStartsAtTheTop()
    {
        start(Artists);
        dialog->artistsOption->setChecked(true);
        dialog->searchField->setText("bak");
        dialog->findNext();
        QCOMPARE(selectedArtist(), QString("Baker"));
        dialog->doneButton->click();
        QVERIFY(dialog->isHidden());

        window->searchAction->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->searchField->text(), QString("bak"));
        // The kept text is selected, with the focus in the field: typing replaces it.
        QCOMPARE(dialog->searchField->selectedText(), QString("bak"));
        QCOMPARE(dialog->focusWidget(), dialog->searchField);
        QTest::keyClicks(dialog->searchField, "qu");
        QCOMPARE(dialog->searchField->text(), QString("qu"));
        dialog->searchField->setText("bak");
        QVERIFY(dialog->artistsOption->isChecked());
        // Show all ran: no artist selected and every title listed, none selected.
        QCOMPARE(window->artistList->currentRow(), -1);
        QCOMPARE(window->titleList->count(), 3);
        QCOMPARE(window->titleList->currentRow(), -1);
        dialog->findNext();
        QCOMPARE(selectedArtist(), QString("Baker"));
    }

    void staysOpenWhileTheUserWorksInTheMainWindow()
    {
        Jukebox& j = f->start(f->writeDatabase("search.VxDatabase", Artists));
        window = &j.window();
        dialog = &j.search();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->searchAction->trigger();
        // (A window counts as active while its transient parent is: wait for the dialog itself.)
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QCOMPARE(dialog->windowHandle()->transientParent(), window->windowHandle());

        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QVERIFY(dialog->isVisible());
        // An entry chosen in the main window is where the next search starts.
        window->titleList->setCurrentRow(1); // Beta
        dialog->searchField->setText("a");
        dialog->nextButton->click();
        QCOMPARE(window->titleField->text(), QString("Gamma"));
        QVERIFY(dialog->isVisible());
        dialog->doneButton->click();
        QVERIFY(dialog->isHidden());
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
