#include "JukeboxFixture.h"
#include "browser/ArtistTitleLists.h"
#include "core/RecordCode.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

// Records 1..7 in table order.
const QList<QStringList> Records = {
    {"The Examples", "First Song", "Rock", "/m/1.mp3"},
    {"the examples", "Second Song", "rock", "/m/2.mp3"},
    {"Other Artist", "Alpha", "Jazz", "/m/3.mp3"},
    {"Zed", "Only Zed", "Blues", "/m/4.mp3"},
    {"The Examples", "First Song", "Pop", "/m/5.mp3"},
    {"Adams", "Beta", "Rock", "/m/6.mp3"},
    {"Adamson", "Gamma", "Pop", "/m/7.mp3"},
};

QStringList trimmed(const QStringList& texts)
{
    QStringList out;
    for (const QString& t : texts)
        out.append(t.trimmed());
    return out;
}

QStringList visibleTexts(const QListWidget* list)
{
    QStringList out;
    for (const QString& t : JukeboxFixture::texts(list))
        out.append(visibleTextOfCodedEntry(t).toString());
    return out;
}

QList<int> recordsOf(const QListWidget* list)
{
    QList<int> out;
    for (const QString& t : JukeboxFixture::texts(list))
        out.append(recordOfCodedEntry(t));
    return out;
}

int rowOf(const QListWidget* list, const QString& trimmedText)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == trimmedText)
            return i;
    return -1;
}

} // namespace

class TestArtistTitleLists : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Form1* form = nullptr;

    void selectGenre(const QString& genre)
    {
        const int index = form->genreFilter->findText(genre);
        QVERIFY(index >= 0);
        form->genreFilter->setCurrentIndex(index);
    }
    void selectArtist(const QString& artist)
    {
        const int row = rowOf(form->artistList, artist);
        QVERIFY(row >= 0);
        form->artistList->setCurrentRow(row);
    }
    void enterEditMode() { form->doneEditingButton->setVisible(true); }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        form = &f->start(f->writeDatabase("Lib.VxDatabase", Records));
        QCOMPARE(form->library.recordCount(), Records.size());
    }
    void cleanup() { f.reset(); }

    void genreFilterListsItsArtists_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<QStringList>("artists");
        QTest::newRow("all genres: every artist once")
            << "(All genres)" << QStringList{"Adams", "Adamson", "Other Artist", "The Examples", "Zed"};
        QTest::newRow("genre in two spellings") << "Rock" << QStringList{"Adams", "The Examples"};
        QTest::newRow("genre of one record") << "Blues" << QStringList{"Zed"};
    }
    void genreFilterListsItsArtists()
    {
        QFETCH(QString, genre);
        QFETCH(QStringList, artists);
        selectGenre("Jazz");
        selectArtist("Other Artist"); // titles listed before the filter runs
        selectGenre(genre);
        QCOMPARE(trimmed(JukeboxFixture::texts(form->artistList)), artists);
        QCOMPARE(form->titleList->count(), 0);
        QCOMPARE(form->genreField->text(), genre);
        // Artists keep their stored 40-character form.
        for (const QString& a : JukeboxFixture::texts(form->artistList))
            QCOMPARE(a.size(), 40);
    }

    void artistListsAllItsTitlesOfEveryGenre()
    {
        selectGenre("Blues");
        selectGenre("Pop");
        selectArtist("The Examples");
        QCOMPARE(form->artistField->text(), QStringLiteral("The Examples"));
        QCOMPARE(visibleTexts(form->titleList), (QStringList{"First Song", "First Song", "Second Song"}));
        QList<int> records = recordsOf(form->titleList);
        std::sort(records.begin(), records.end());
        QCOMPARE(records, (QList<int>{1, 2, 5}));
    }

    void titlesFollowTheArtistFieldNotTheEntry()
    {
        // The artist field's type-ahead raises the flag, then selects.
        form->artistField->setText("Ad");
        QCOMPARE(form->artistList->currentItem()->text().trimmed(), QStringLiteral("Adams"));
        QCOMPARE(form->artistField->text(), QStringLiteral("Ad"));
        QCOMPARE(form->titleList->count(), 0);
        QVERIFY(!form->ArtistSetByTyping);

        form->artistField->setText("ADAMSON");
        QCOMPARE(form->artistList->currentItem()->text().trimmed(), QStringLiteral("Adamson"));
        QCOMPARE(form->artistField->text(), QStringLiteral("ADAMSON"));
        QCOMPARE(visibleTexts(form->titleList), QStringList{"Gamma"});
    }

    void titleGoesIntoTheTitleField()
    {
        selectArtist("The Examples");
        form->titleList->setCurrentRow(2);
        QCOMPARE(form->titleField->text(), QStringLiteral("Second Song"));

        form->TitleSetByTyping = true;
        form->titleList->setCurrentRow(0);
        QCOMPARE(form->titleField->text(), QStringLiteral("Second Song"));
        QVERIFY(!form->TitleSetByTyping);

        form->titleList->setCurrentRow(-1);
        QCOMPARE(form->titleField->text(), QStringLiteral("Second Song"));
    }

    void showAll_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<bool>("editMode");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("all genres") << "(All genres)" << false << QList<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("one genre, both spellings") << "Rock" << false << QList<int>{1, 2, 6};
        QTest::newRow("edit mode ignores the genre") << "Rock" << true << QList<int>{1, 2, 3, 4, 5, 6, 7};
    }
    void showAll()
    {
        QFETCH(QString, genre);
        QFETCH(bool, editMode);
        QFETCH(QList<int>, records);
        selectGenre(genre);
        selectArtist("The Examples");
        if (editMode)
            enterEditMode();
        form->showAllButton->click();
        QCOMPARE(form->artistList->currentRow(), -1);
        QCOMPARE(form->artistField->text(), QStringLiteral("The Examples"));
        QList<int> shown = recordsOf(form->titleList);
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, records);
        // Sorted by title without regard to case.
        QStringList titles = visibleTexts(form->titleList);
        QStringList sorted = titles;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(titles, sorted);
    }

    void editModeTitleClearsArtistWithoutRefill()
    {
        selectArtist("The Examples");
        const QStringList titles = JukeboxFixture::texts(form->titleList);
        enterEditMode();
        form->removeRecordButton->setEnabled(false);

        // The nested artist handler runs inside the title handler, with the flag still up.
        QList<bool> flagSeen;
        QList<int> titleCountSeen;
        connect(form->artistList, &QListWidget::currentRowChanged, this, [&] {
            flagSeen.append(form->ArtistClearedByTitle);
            titleCountSeen.append(form->titleList->count());
        });
        form->titleList->setCurrentRow(1);

        QCOMPARE(flagSeen, QList<bool>{true});
        QCOMPARE(titleCountSeen, QList<int>{int(titles.size())});
        QCOMPARE(form->artistList->currentRow(), -1);
        QCOMPARE(JukeboxFixture::texts(form->titleList), titles);
        QCOMPARE(form->titleList->currentRow(), 1);
        QCOMPARE(form->titleField->text(), visibleTextOfCodedEntry(titles[1]).toString());
        QVERIFY(form->removeRecordButton->isEnabled());
        QVERIFY(!form->ArtistClearedByTitle);
        QVERIFY(!form->TitleSetByProgram);
    }

    void editModeArtistClearsTitleAndRefills()
    {
        selectArtist("The Examples");
        form->titleList->setCurrentRow(0);
        enterEditMode();
        form->removeRecordButton->setEnabled(false);
        form->titleField->setText("typed");

        QList<bool> flagSeen;
        connect(form->titleList, &QListWidget::currentRowChanged, this,
                [&] { flagSeen.append(form->TitleSetByProgram); });
        selectArtist("Zed");

        QCOMPARE(flagSeen, QList<bool>{true});
        QCOMPARE(form->titleField->text(), QStringLiteral("typed"));
        QCOMPARE(form->artistField->text(), QStringLiteral("Zed"));
        QCOMPARE(visibleTexts(form->titleList), QStringList{"Only Zed"});
        QCOMPARE(form->titleList->currentRow(), -1);
        QVERIFY(form->removeRecordButton->isEnabled());
        QVERIFY(!form->TitleSetByProgram);
        QVERIFY(!form->ArtistClearedByTitle);
    }

    void editModeGenreOnlySetsTheGenreField()
    {
        selectArtist("Zed");
        enterEditMode();
        const QStringList artists = JukeboxFixture::texts(form->artistList);
        selectGenre("Jazz");
        QCOMPARE(form->genreField->text(), QStringLiteral("Jazz"));
        QCOMPARE(JukeboxFixture::texts(form->artistList), artists);
        QCOMPARE(visibleTexts(form->titleList), QStringList{"Only Zed"});
    }

    void outsideEditModeRemoveStaysDisabled()
    {
        selectArtist("Zed");
        form->titleList->setCurrentRow(0);
        QVERIFY(!form->removeRecordButton->isEnabled());
        QCOMPARE(form->artistList->currentRow(), rowOf(form->artistList, "Zed"));
    }
};

QTEST_MAIN(TestArtistTitleLists)
#include "tst_library_browser.moc"
