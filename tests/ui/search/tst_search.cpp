#include "JukeboxFixture.h"
#include "core/RecordCode.h"
#include "search/SearchDialog.h"
#include "search/SearchPart.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <QtTest>

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
    Form1* form = nullptr;
    SearchDialog* dialog = nullptr;

    void start(const QList<QStringList>& records)
    {
        form = &f->start(f->writeDatabase("search.VxDatabase", records));
        form->searchAction->trigger();
        dialog = form->search->Form3;
    }
    QString selectedArtist() const
    {
        return form->artistList->currentRow() < 0 ? QString() : form->artistList->currentItem()->text().trimmed();
    }

private slots:
    void init() { f = std::make_unique<JukeboxFixture>(); }
    void cleanup() { f.reset(); }

    void nextWalksTheArtistsAndStartsAgainAfterTheMessage()
    {
        start(Artists);
        dialog->Option1->setChecked(true);
        QVERIFY(!dialog->Option2->isChecked());
        dialog->artistField->setText("ADAM");

        dialog->playButton->click();
        QCOMPARE(selectedArtist(), QString("Adams"));
        // The artist list's own handling ran: the artist field and the artist's titles.
        QCOMPARE(form->artistField->text(), QString("Adams"));
        QCOMPARE(form->titleList->count(), 1);
        QCOMPARE(visibleTextOfCodedEntry(form->titleList->item(0)->text()).toString(), QString("Alpha"));

        dialog->playButton->click();
        QCOMPARE(selectedArtist(), QString("Nadamo"));
        QVERIFY(f->messageBox.shown.isEmpty());

        dialog->playButton->click();
        QCOMPARE(f->messageBox.shown.size(), 1);
        QCOMPARE(f->messageBox.shown[0].text, QString("Searchstring not found..."));
        QCOMPARE(f->messageBox.shown[0].title, QString());
        QCOMPARE(form->artistList->currentRow(), -1);

        dialog->playButton->click();
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
        QVERIFY(dialog->Option2->isChecked()); // titles are chosen at first
        dialog->artistField->setText(wanted);
        int messages = 0;
        for (const QString& title : found) {
            dialog->Command1_Click();
            if (title.isEmpty()) {
                QCOMPARE(f->messageBox.shown.size(), ++messages);
                QCOMPARE(f->messageBox.shown.last().title, QString("Search"));
                QCOMPARE(form->titleList->currentRow(), -1);
            } else {
                QCOMPARE(f->messageBox.shown.size(), messages);
                QVERIFY(form->titleList->currentRow() >= 0);
                QCOMPARE(form->titleField->text(), title); // the title list's handling ran
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
        (artists ? dialog->Option1 : dialog->Option2)->setChecked(true);
        dialog->artistField->setText(wanted);
        dialog->Command1_Click();
        dialog->Command1_Click();
        QVERIFY(f->messageBox.shown.isEmpty());
        QCOMPARE(form->artistList->currentRow(), -1);
        QCOMPARE(form->titleList->currentRow(), -1);
    }

    void enterInTheFieldRunsNextOnce()
    {
        start(Artists);
        QVERIFY(dialog->isVisible());
        dialog->artistField->setText("a"); // every title entry: Alpha, Beta, Gamma
        QTest::keyClick(dialog->artistField, Qt::Key_Return);
        QCOMPARE(form->titleField->text(), QString("Alpha"));
        QTest::keyClick(dialog->artistField, Qt::Key_Enter);
        QCOMPARE(form->titleField->text(), QString("Beta"));
        QVERIFY(dialog->isVisible()); // Done did not take the key
        QVERIFY(f->messageBox.shown.isEmpty());
    }

    void reopeningKeepsTheTextAndStartsAtTheTop()
    {
        start(Artists);
        dialog->Option1->setChecked(true);
        dialog->artistField->setText("bak");
        dialog->Command1_Click();
        QCOMPARE(selectedArtist(), QString("Baker"));
        dialog->pauseButton->click();
        QVERIFY(dialog->isHidden());

        form->searchAction->trigger();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->artistField->text(), QString("bak"));
        QVERIFY(dialog->Option1->isChecked());
        // Show all ran: no artist selected and every title listed, none selected.
        QCOMPARE(form->artistList->currentRow(), -1);
        QCOMPARE(form->titleList->count(), 3);
        QCOMPARE(form->titleList->currentRow(), -1);
        dialog->Command1_Click();
        QCOMPARE(selectedArtist(), QString("Baker"));
    }

    void staysOpenWhileTheUserWorksInTheMainWindow()
    {
        form = &f->start(f->writeDatabase("search.VxDatabase", Artists));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->searchAction->trigger();
        dialog = form->search->Form3;
        // (A window counts as active while its transient parent is: wait for the dialog itself.)
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QCOMPARE(dialog->windowHandle()->transientParent(), form->windowHandle());

        form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), form);
        QVERIFY(dialog->isVisible());
        // An entry chosen in the main window is where the next search starts.
        form->titleList->setCurrentRow(1); // Beta
        dialog->artistField->setText("a");
        dialog->playButton->click();
        QCOMPARE(form->titleField->text(), QString("Gamma"));
        QVERIFY(dialog->isVisible());
        dialog->pauseButton->click();
        QVERIFY(dialog->isHidden());
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
