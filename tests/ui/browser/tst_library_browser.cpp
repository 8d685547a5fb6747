#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/RecordCode.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QComboBox>
#include <QLineEdit>
#include "ui/window/ListBox.h"
#include <QPushButton>
#include <QTest>

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

QStringList visibleTexts(const ListBox* list)
{
    QStringList out;
    for (const QString& t : JukeboxFixture::texts(list))
        out.append(visibleTextOfCodedEntry(t).toString());
    return out;
}

QList<int> recordsOf(const ListBox* list)
{
    QList<int> out;
    for (const QString& t : JukeboxFixture::texts(list))
        out.append(recordOfCodedEntry(t));
    return out;
}

int rowOf(const ListBox* list, const QString& trimmedText)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->text(i).trimmed() == trimmedText)
            return i;
    return -1;
}

} // namespace

class TestLibraryBrowser : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;

    void selectGenre(const QString& genre)
    {
        const int index = w->genreFilter->findText(genre);
        QVERIFY(index >= 0);
        w->genreFilter->setCurrentIndex(index);
    }
    void selectArtist(const QString& artist)
    {
        const int row = rowOf(w->artistList, artist);
        QVERIFY(row >= 0);
        w->artistList->setCurrentRow(row);
    }
    // Database > Edit. It empties the fields, so the tests choose their artist and title after it.
    void startEditing()
    {
        w->editDatabaseAction->trigger();
        QVERIFY(j->mode().isEditing());
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        j = &f->start(f->writeDatabase("Lib.VxDatabase", Records));
        w = &j->window();
        QCOMPARE(j->library().recordCount(), Records.size());
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
        QCOMPARE(trimmed(JukeboxFixture::texts(w->artistList)), artists);
        QCOMPARE(w->titleList->count(), 0);
        QCOMPARE(w->genreField->text(), genre);
        // Artists keep their stored 40-character form.
        for (const QString& a : JukeboxFixture::texts(w->artistList))
            QCOMPARE(a.size(), 40);
    }

    void artistListsAllItsTitlesOfEveryGenre()
    {
        selectGenre("Blues");
        selectGenre("Pop");
        selectArtist("The Examples");
        QCOMPARE(w->artistField->text(), QStringLiteral("The Examples"));
        QCOMPARE(visibleTexts(w->titleList), (QStringList{"First Song", "First Song", "Second Song"}));
        QList<int> records = recordsOf(w->titleList);
        std::sort(records.begin(), records.end());
        QCOMPARE(records, (QList<int>{1, 2, 5}));
    }

    void titlesFollowTheArtistFieldNotTheEntry()
    {
        // The artist field's type-ahead selects without writing the entry into the field.
        w->artistField->setText("Ad");
        QCOMPARE(w->artistList->text(w->artistList->currentRow()).trimmed(), QStringLiteral("Adams"));
        QCOMPARE(w->artistField->text(), QStringLiteral("Ad"));
        QCOMPARE(w->titleList->count(), 0);

        w->artistField->setText("ADAMSON");
        QCOMPARE(w->artistList->text(w->artistList->currentRow()).trimmed(), QStringLiteral("Adamson"));
        QCOMPARE(w->artistField->text(), QStringLiteral("ADAMSON"));
        QCOMPARE(visibleTexts(w->titleList), QStringList{"Gamma"});

        // Only the typing kept the field: the next click writes the entry into it.
        j->browser().selectArtistRow(rowOf(w->artistList, "Zed"));
        QCOMPARE(w->artistField->text(), QStringLiteral("Zed"));
    }

    void titleGoesIntoTheTitleField()
    {
        selectArtist("The Examples");
        w->titleList->setCurrentRow(2);
        QCOMPARE(w->titleField->text(), QStringLiteral("Second Song"));

        // A title the type-ahead selects leaves the field as typed.
        w->titleField->setText("First");
        QCOMPARE(w->titleList->currentRow(), 0);
        QCOMPARE(w->titleField->text(), QStringLiteral("First"));

        // Only the typing kept the field: the next choice writes the title into it.
        w->titleList->setCurrentRow(2);
        QCOMPARE(w->titleField->text(), QStringLiteral("Second Song"));

        w->titleList->setCurrentRow(-1);
        QCOMPARE(w->titleField->text(), QStringLiteral("Second Song"));
    }

    void showAll_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QList<int>>("records");
        QTest::newRow("all genres") << "(All genres)" << false << QList<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("one genre, both spellings") << "Rock" << false << QList<int>{1, 2, 6};
        QTest::newRow("editing ignores the genre") << "Rock" << true << QList<int>{1, 2, 3, 4, 5, 6, 7};
    }
    void showAll()
    {
        QFETCH(QString, genre);
        QFETCH(bool, editing);
        QFETCH(QList<int>, records);
        if (editing)
            startEditing();
        selectGenre(genre);
        selectArtist("The Examples");
        w->showAllButton->click();
        QCOMPARE(w->artistList->currentRow(), -1);
        QCOMPARE(w->artistField->text(), QStringLiteral("The Examples"));
        QList<int> shown = recordsOf(w->titleList);
        std::sort(shown.begin(), shown.end());
        QCOMPARE(shown, records);
        // Sorted by title without regard to case.
        QStringList titles = visibleTexts(w->titleList);
        QStringList sorted = titles;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(titles, sorted);
    }

    void whileEditingATitleClearsTheArtistWithoutRefill()
    {
        startEditing();
        selectArtist("The Examples");
        const QStringList titles = JukeboxFixture::texts(w->titleList);
        QCOMPARE(titles.size(), 3);
        w->removeRecordButton->setEnabled(false);

        // The artist's handling runs nested inside the title's, and leaves the titles and the
        // title just chosen alone.
        QList<int> titleCountSeen;
        QList<int> titleRowSeen;
        connect(w->artistList, &ListBox::currentRowChanged, this, [&] {
            titleCountSeen.append(w->titleList->count());
            titleRowSeen.append(w->titleList->currentRow());
        });
        w->titleList->setCurrentRow(1);

        QCOMPARE(titleCountSeen, QList<int>{int(titles.size())});
        QCOMPARE(titleRowSeen, QList<int>{1});
        QCOMPARE(w->artistList->currentRow(), -1);
        QCOMPARE(JukeboxFixture::texts(w->titleList), titles);
        QCOMPARE(w->titleList->currentRow(), 1);
        QCOMPARE(w->titleField->text(), visibleTextOfCodedEntry(titles[1]).toString());
        QVERIFY(w->removeRecordButton->isEnabled());

        // Nothing of it lingers: the next title counts as chosen to remove, the next artist
        // lists its titles.
        w->removeRecordButton->setEnabled(false);
        w->titleList->setCurrentRow(0);
        QVERIFY(w->removeRecordButton->isEnabled());
        selectArtist("Zed");
        QCOMPARE(visibleTexts(w->titleList), QStringList{"Only Zed"});
        QCOMPARE(w->titleList->currentRow(), -1);
    }

    void whileEditingAnArtistClearsTheTitleAndRefills()
    {
        startEditing();
        selectArtist("The Examples");
        // A title shown as a record's: the artist stays chosen.
        j->browser().selectTitleToShowRecord(0);
        QCOMPARE(w->artistList->currentRow(), rowOf(w->artistList, "The Examples"));
        QCOMPARE(w->titleList->currentRow(), 0);
        w->removeRecordButton->setEnabled(false);
        w->titleField->setText("typed");

        // The title's handling runs nested inside the artist's and leaves the artist chosen.
        const int zed = rowOf(w->artistList, "Zed");
        QList<int> artistRowSeen;
        connect(w->titleList, &ListBox::currentRowChanged, this,
                [&] { artistRowSeen.append(w->artistList->currentRow()); });
        selectArtist("Zed");

        QCOMPARE(artistRowSeen, QList<int>{zed});
        QCOMPARE(w->artistList->currentRow(), zed);
        QCOMPARE(w->titleField->text(), QStringLiteral("typed"));
        QCOMPARE(w->artistField->text(), QStringLiteral("Zed"));
        QCOMPARE(visibleTexts(w->titleList), QStringList{"Only Zed"});
        QCOMPARE(w->titleList->currentRow(), -1);
        QVERIFY(w->removeRecordButton->isEnabled());

        // Nothing of it lingers: the next title clears the artist and counts as chosen to remove.
        w->removeRecordButton->setEnabled(false);
        w->titleList->setCurrentRow(0);
        QCOMPARE(w->artistList->currentRow(), -1);
        QCOMPARE(w->titleField->text(), QStringLiteral("Only Zed"));
        QVERIFY(w->removeRecordButton->isEnabled());
    }

    void whileEditingAGenreOnlySetsTheGenreField()
    {
        startEditing();
        selectArtist("Zed");
        const QStringList artists = JukeboxFixture::texts(w->artistList);
        selectGenre("Jazz");
        QCOMPARE(w->genreField->text(), QStringLiteral("Jazz"));
        QCOMPARE(JukeboxFixture::texts(w->artistList), artists);
        QCOMPARE(visibleTexts(w->titleList), QStringList{"Only Zed"});
    }

    void outsideEditingRemoveStaysDisabled()
    {
        selectArtist("Zed");
        w->titleList->setCurrentRow(0);
        QVERIFY(!w->removeRecordButton->isEnabled());
        QCOMPARE(w->artistList->currentRow(), rowOf(w->artistList, "Zed"));
    }
};

QTEST_MAIN(TestLibraryBrowser)
#include "tst_library_browser.moc"
