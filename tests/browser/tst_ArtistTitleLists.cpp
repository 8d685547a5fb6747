#include "Form1Fixture.h"
#include "browser/ArtistTitleLists.h"
#include "library/RecordCode.h"

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
    for (const QString& t : Form1Fixture::texts(list))
        out.append(visibleTextOfCodedEntry(t).toString());
    return out;
}

QList<int> recordsOf(const QListWidget* list)
{
    QList<int> out;
    for (const QString& t : Form1Fixture::texts(list))
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

    std::unique_ptr<Form1Fixture> f;
    Form1* form = nullptr;

    void selectGenre(const QString& genre)
    {
        const int index = form->Combo1->findText(genre);
        QVERIFY(index >= 0);
        form->Combo1->setCurrentIndex(index);
    }
    void selectArtist(const QString& artist)
    {
        const int row = rowOf(form->List1, artist);
        QVERIFY(row >= 0);
        form->List1->setCurrentRow(row);
    }
    void enterEditMode() { form->Command9->setVisible(true); }

private slots:
    void init()
    {
        f = std::make_unique<Form1Fixture>();
        form = &f->start(f->writeDatabase("Lib.VxDatabase", Records));
        QCOMPARE(form->library.RecordCount(), Records.size());
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
        QCOMPARE(trimmed(Form1Fixture::texts(form->List1)), artists);
        QCOMPARE(form->List2->count(), 0);
        QCOMPARE(form->Text4->text(), genre);
        // Artists keep their stored 40-character form.
        for (const QString& a : Form1Fixture::texts(form->List1))
            QCOMPARE(a.size(), 40);
    }

    void artistListsAllItsTitlesOfEveryGenre()
    {
        selectGenre("Blues");
        selectGenre("Pop");
        selectArtist("The Examples");
        QCOMPARE(form->Text1->text(), QStringLiteral("The Examples"));
        QCOMPARE(visibleTexts(form->List2), (QStringList{"First Song", "First Song", "Second Song"}));
        QList<int> records = recordsOf(form->List2);
        std::sort(records.begin(), records.end());
        QCOMPARE(records, (QList<int>{1, 2, 5}));
    }

    void titlesFollowTheArtistFieldNotTheEntry()
    {
        // The artist field's type-ahead raises the flag, then selects.
        form->Text1->setText("Ad");
        QCOMPARE(form->List1->currentItem()->text().trimmed(), QStringLiteral("Adams"));
        QCOMPARE(form->Text1->text(), QStringLiteral("Ad"));
        QCOMPARE(form->List2->count(), 0);
        QVERIFY(!form->ArtistSetByTyping);

        form->Text1->setText("ADAMSON");
        QCOMPARE(form->List1->currentItem()->text().trimmed(), QStringLiteral("Adamson"));
        QCOMPARE(form->Text1->text(), QStringLiteral("ADAMSON"));
        QCOMPARE(visibleTexts(form->List2), QStringList{"Gamma"});
    }

    void titleGoesIntoTheTitleField()
    {
        selectArtist("The Examples");
        form->List2->setCurrentRow(2);
        QCOMPARE(form->Text2->text(), QStringLiteral("Second Song"));

        form->TitleSetByTyping = true;
        form->List2->setCurrentRow(0);
        QCOMPARE(form->Text2->text(), QStringLiteral("Second Song"));
        QVERIFY(!form->TitleSetByTyping);

        form->List2->setCurrentRow(-1);
        QCOMPARE(form->Text2->text(), QStringLiteral("Second Song"));
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
        form->Command12->click();
        QCOMPARE(form->List1->currentRow(), -1);
        QCOMPARE(form->Text1->text(), QStringLiteral("The Examples"));
        QList<int> shown = recordsOf(form->List2);
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, records);
        // Sorted by title without regard to case.
        QStringList titles = visibleTexts(form->List2);
        QStringList sorted = titles;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(titles, sorted);
    }

    void editModeTitleClearsArtistWithoutRefill()
    {
        selectArtist("The Examples");
        const QStringList titles = Form1Fixture::texts(form->List2);
        enterEditMode();
        form->Command10->setEnabled(false);

        // The nested artist handler runs inside the title handler, with the flag still up.
        QList<bool> flagSeen;
        QList<int> titleCountSeen;
        connect(form->List1, &QListWidget::currentRowChanged, this, [&] {
            flagSeen.append(form->ArtistClearedByTitle);
            titleCountSeen.append(form->List2->count());
        });
        form->List2->setCurrentRow(1);

        QCOMPARE(flagSeen, QList<bool>{true});
        QCOMPARE(titleCountSeen, QList<int>{int(titles.size())});
        QCOMPARE(form->List1->currentRow(), -1);
        QCOMPARE(Form1Fixture::texts(form->List2), titles);
        QCOMPARE(form->List2->currentRow(), 1);
        QCOMPARE(form->Text2->text(), visibleTextOfCodedEntry(titles[1]).toString());
        QVERIFY(form->Command10->isEnabled());
        QVERIFY(!form->ArtistClearedByTitle);
        QVERIFY(!form->TitleSetByProgram);
    }

    void editModeArtistClearsTitleAndRefills()
    {
        selectArtist("The Examples");
        form->List2->setCurrentRow(0);
        enterEditMode();
        form->Command10->setEnabled(false);
        form->Text2->setText("typed");

        QList<bool> flagSeen;
        connect(form->List2, &QListWidget::currentRowChanged, this,
                [&] { flagSeen.append(form->TitleSetByProgram); });
        selectArtist("Zed");

        QCOMPARE(flagSeen, QList<bool>{true});
        QCOMPARE(form->Text2->text(), QStringLiteral("typed"));
        QCOMPARE(form->Text1->text(), QStringLiteral("Zed"));
        QCOMPARE(visibleTexts(form->List2), QStringList{"Only Zed"});
        QCOMPARE(form->List2->currentRow(), -1);
        QVERIFY(form->Command10->isEnabled());
        QVERIFY(!form->TitleSetByProgram);
        QVERIFY(!form->ArtistClearedByTitle);
    }

    void editModeGenreOnlySetsTheGenreField()
    {
        selectArtist("Zed");
        enterEditMode();
        const QStringList artists = Form1Fixture::texts(form->List1);
        selectGenre("Jazz");
        QCOMPARE(form->Text4->text(), QStringLiteral("Jazz"));
        QCOMPARE(Form1Fixture::texts(form->List1), artists);
        QCOMPARE(visibleTexts(form->List2), QStringList{"Only Zed"});
    }

    void outsideEditModeRemoveStaysDisabled()
    {
        selectArtist("Zed");
        form->List2->setCurrentRow(0);
        QVERIFY(!form->Command10->isEnabled());
        QCOMPARE(form->List1->currentRow(), rowOf(form->List1, "Zed"));
    }
};

QTEST_MAIN(TestArtistTitleLists)
#include "tst_ArtistTitleLists.moc"
