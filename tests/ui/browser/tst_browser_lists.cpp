// The artist, title and genre lists in the order people read them, and the row the user chooses
// (by a click, the keyboard or the search) is the row highlighted, shown in the field and used by
// a drag or Remove. The records hold titles that begin others, "Help" and "Help!", three
// "Waterloo" and a "waterloo", two empty titles, and accented artists and genres.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/RecordCode.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/search/SearchDialog.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDrag>
#include <QLineEdit>
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Records 1..15 in table order.
QList<QStringList> records()
{
    const char* const rows[][3] = {
        {"ABBA", "Waterloo", "Pop"},         {"Bryan Adams", "Summer Of 69", "Rock"},
        {"The Cure", "Lovesong", "Rock"},    {"The Cure", "Love Cats", "Pop"},
        {"The Beatles", "Love Me Do", "Pop"}, {"Émile Simon", "Lovely", "Électro"},
        {"Ölafur", "Love", "Électro"},       {"The Beatles", "Help!", "Pop"},
        {"Ähnlich", "Help", "Zouk"},         {"Cover Band", "Waterloo", "Pop"},
        {"Tribute", "Waterloo", "Rock"},     {"ADAMS", "", "Rock"},
        {"Zappa", "Peaches", "Rock"},        {"Zappa", "", "Rock"},
        {"Tribute", "waterloo", "Pop"},
    };
    QList<QStringList> out;
    for (const auto& r : rows)
        out.append({QString::fromUtf8(r[0]), QString::fromUtf8(r[1]), QString::fromUtf8(r[2]),
                    QStringLiteral("/m/%1.mp3").arg(out.size() + 1)});
    return out;
}

// The title list of every record as the list shows it: title, then record.
const QStringList Titles = {"/12",        "/14",         "Help/9",         "Help!/8",    "Love/7",
                            "Love Cats/4", "Love Me Do/5", "Lovely/6",     "Lovesong/3", "Peaches/13",
                            "Summer Of 69/2", "Waterloo/1", "Waterloo/10", "Waterloo/11", "waterloo/15"};

// A title entry as "title/record"; an artist or genre entry trimmed.
QString shown(const QString& entry)
{
    if (withoutRecordCode(entry).size() == entry.size())
        return entry.trimmed();
    return QStringLiteral("%1/%2").arg(visibleTextOfCodedEntry(entry)).arg(recordOfCodedEntry(entry));
}

QStringList shownTexts(const QStringList& entries)
{
    QStringList out;
    for (const QString& e : entries)
        out.append(shown(e));
    return out;
}

QString shownCurrent(const ListBox* list)
{
    return list->currentRow() >= 0 ? shown(list->text(list->currentRow())) : QString();
}

} // namespace

class TestBrowserLists : public QObject
{
    Q_OBJECT

    std::unique_ptr<JukeboxFixture> f;
    Jukebox* j = nullptr;
    MainWindow* w = nullptr;
    QString database;
    QList<int> dropped; // records the playlist received from drags

    ListBox* list(const QString& name) const { return w->findChild<ListBox*>(name); }

    void clickRow(ListBox* list, int row)
    {
        list->scrollTo(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->rowRect(row).center());
    }
    // Clicks on the title with this "title/record" text.
    void clickTitle(const QString& title)
    {
        const int row = int(shownTexts(JukeboxFixture::texts(w->titleList)).indexOf(title));
        QVERIFY2(row >= 0, qPrintable(title));
        clickRow(w->titleList, row);
    }
    // The row a click, key or search left chosen is the one highlighted, shown in the title
    // field, and the one a drag or Remove takes.
    void verifyTitleChosen(const QString& title)
    {
        QCOMPARE(shownCurrent(w->titleList), title);
        QCOMPARE(selectedRow(w->titleList), w->titleList->currentRow());
        QCOMPARE(w->titleField->text(), title.section('/', 0, 0));
        QCOMPARE(j->browser().recordOfChosenTitle(), title.section('/', 1).toInt());
    }

private slots:
    void init()
    {
        f = std::make_unique<JukeboxFixture>();
        database = f->writeDatabase("Order.VxDatabase", records());
        j = &f->startWithRecords(records(), "Order.VxDatabase");
        w = &j->window();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // A drag from the lists drops onto the playlist.
        dropped.clear();
        f->dragLoop = [this](QDrag* drag) {
            QWidget* target = w->playlist->viewport();
            QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            QDropEvent drop(target->rect().center(), Qt::CopyAction, drag->mimeData(), Qt::NoButton, {});
            QCoreApplication::sendEvent(target, &drop);
            drag->deleteLater();
        };
    }
    void cleanup() { f.reset(); }

    void listsAreInReadingOrder_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("as loaded") << "load";
        QTest::newRow("after Show all and the genre filter") << "refill";
    }
    void listsAreInReadingOrder()
    {
        QFETCH(QString, how);
        if (how == "refill") {
            w->genreFilter->setCurrentIndex(w->genreFilter->findText("Pop"));
            w->genreFilter->setCurrentIndex(0);
            w->showAllButton->click();
        }
        // Accents with their letters, the hidden code taking no part: a title before the longer
        // ones it begins, the empty title first, equal titles in record order.
        QCOMPARE(shownTexts(JukeboxFixture::texts(w->artistList)),
                 QString::fromUtf8("ABBA|ADAMS|Ähnlich|Bryan Adams|Cover Band|Émile Simon|Ölafur|The Beatles|"
                                   "The Cure|Tribute|Zappa")
                     .split('|'));
        QCOMPARE(shownTexts(JukeboxFixture::texts(w->titleList)), Titles);
        QCOMPARE(JukeboxFixture::texts(w->genreFilter), QString::fromUtf8("(All genres)|Électro|Pop|Rock|Zouk").split('|'));
    }

    void entriesAddedOneByOneGoWhereALoadPutsThem()
    {
        shownPlaylist(w->playlist).append(entriesOfTexts({"/in/one.wav", "/in/two.wav"}));
        w->editDatabaseAction->trigger();
        w->showAllButton->click(); // every title
        const QList<QStringList> added = {{QString::fromUtf8("Ève"), "Love", QString::fromUtf8("Éthio")},
                                          {QString::fromUtf8("Ømer"), "Help", "Zouk"}};
        for (const QStringList& r : added) {
            w->playlist->setCurrentRow(0);
            w->genreField->setText(r[2]);
            w->artistField->setText(r[0]);
            w->titleField->setText(r[1]);
            j->updateStatus(); // enables Add
            QVERIFY(w->addRecordButton->isEnabled());
            w->addRecordButton->click();
        }
        QCOMPARE(j->library().recordCount(), records().size() + 2);

        JukeboxFixture loaded;
        MainWindow& other = loaded.start(database).window();
        QCOMPARE(loaded.jukebox->library().recordCount(), records().size() + 2);
        QCOMPARE(shownTexts(JukeboxFixture::texts(w->titleList)), shownTexts(JukeboxFixture::texts(other.titleList)));
        QCOMPARE(shownTexts(JukeboxFixture::texts(w->artistList)), shownTexts(JukeboxFixture::texts(other.artistList)));
        QStringList genres = JukeboxFixture::texts(other.genreFilter);
        genres.removeOne("(All genres)"); // left out while records are edited
        QCOMPARE(JukeboxFixture::texts(w->genreFilter), genres);
    }

    void theChosenTitleStaysChosen_data()
    {
        QTest::addColumn<QStringList>("steps"); // "click <title/record>", or a key: "Down", "Up"
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the third Waterloo after Summer Of 69")
            << QStringList{"click Summer Of 69/2", "click Waterloo/11"} << "Waterloo/11";
        QTest::newRow("the second empty title after another") << QStringList{"click Love/7", "click /14"} << "/14";
        QTest::newRow("a title that begins the one before") << QStringList{"click Lovesong/3", "click Love/7"} << "Love/7";
        QTest::newRow("Down to a title differing in case")
            << QStringList{"click Waterloo/11", "Down"} << "waterloo/15";
        QTest::newRow("Up to the second empty title") << QStringList{"click Help/9", "Up"} << "/14";
        QTest::newRow("Up from Help! to Help") << QStringList{"click Help!/8", "Up"} << "Help/9";
    }
    void theChosenTitleStaysChosen()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, chosen);
        for (const QString& step : steps) {
            if (step.startsWith("click "))
                clickTitle(step.mid(6));
            else
                QTest::keyClick(w->titleList, step == "Down" ? Qt::Key_Down : Qt::Key_Up);
        }
        verifyTitleChosen(chosen);
    }

    void theChosenTitleIsTheOneUsed_data()
    {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("chosen");
        for (const char* use : {"drag", "Remove"}) {
            QTest::addRow("%s: the third Waterloo", use) << use << "Summer Of 69/2" << "Waterloo/11";
            QTest::addRow("%s: the second empty title", use) << use << "Love Cats/4" << "/14";
        }
    }
    void theChosenTitleIsTheOneUsed()
    {
        QFETCH(QString, use);
        QFETCH(QString, before);
        QFETCH(QString, chosen);
        const int record = chosen.section('/', 1).toInt();
        if (use == "Remove") {
            w->editDatabaseAction->trigger();
            w->showAllButton->click();
        }
        clickTitle(before);
        clickTitle(chosen); // a press also drags onto the playlist
        if (use == "drag") {
            QCOMPARE(w->playlist->count(), 2);
            QCOMPARE(recordOfCodedEntry(w->playlist->text(1)), record);
            return;
        }
        verifyTitleChosen(chosen);
        w->removeRecordButton->click();
        // Records after the removed one moved up one place; the others are all still there.
        QList<QStringList> left = records();
        left.removeAt(record - 1);
        QCOMPARE(j->library().recordCount(), left.size());
        for (int n = 1; n <= left.size(); ++n)
            QCOMPARE(j->library().record(n).file, left[n - 1][3]);
    }

    void aClickOnTheHighlightedRowActs_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");    // the list's field after the click
        QTest::addColumn<QStringList>("titles"); // the title list after the click
        QTest::newRow("an artist typed in part") << "artistList" << "ad" << "ADAMS" << QStringList{"/12"};
        QTest::newRow("a title typed in part") << "titleList" << "wat" << "Waterloo" << Titles;
    }
    void aClickOnTheHighlightedRowActs()
    {
        QFETCH(QString, listName);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QStringList, titles);
        ListBox* chosenList = list(listName);
        QLineEdit* typedField = chosenList == w->artistList ? w->artistField : w->titleField;
        typedField->setText(typed);
        const int row = chosenList->currentRow();
        QVERIFY(row >= 0);
        QCOMPARE(typedField->text(), typed);

        clickRow(chosenList, row);

        QCOMPARE(chosenList->currentRow(), row);
        QCOMPARE(typedField->text(), field);
        QCOMPARE(shownTexts(JukeboxFixture::texts(w->titleList)), titles);
    }

    void keysReachEveryRowInOrder_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::newRow("artists") << "artistList";
        QTest::newRow("titles") << "titleList";
    }
    void keysReachEveryRowInOrder()
    {
        QFETCH(QString, listName);
        ListBox* keyed = list(listName);
        keyed->setFocus();
        clickRow(keyed, 0);
        const int count = keyed->count();
        QStringList reached{shownCurrent(keyed)};
        for (int i = 1; i < count; ++i) {
            QTest::keyClick(keyed, Qt::Key_Down);
            reached.append(shownCurrent(keyed));
        }
        QTest::keyClick(keyed, Qt::Key_Down); // stays on the last
        QCOMPARE(keyed->currentRow(), count - 1);
        QStringList back;
        for (int i = 1; i < count; ++i) {
            QTest::keyClick(keyed, Qt::Key_Up);
            back.prepend(shownCurrent(keyed));
        }
        back.append(reached.last());
        QStringList expected = shownTexts(JukeboxFixture::texts(keyed));
        if (keyed == w->artistList)
            QCOMPARE(expected.size(), 11);
        else
            QCOMPARE(expected, Titles);
        QCOMPARE(reached, expected);
        QCOMPARE(back, expected);

        QTest::keyClick(keyed, Qt::Key_End);
        QCOMPARE(keyed->currentRow(), count - 1);
        QTest::keyClick(keyed, Qt::Key_Home);
        QCOMPARE(keyed->currentRow(), 0);
        QTest::keyClick(keyed, Qt::Key_PageDown);
        const int page = keyed->currentRow();
        QVERIFY(page > 0);
        QTest::keyClick(keyed, Qt::Key_PageUp);
        QCOMPARE(keyed->currentRow(), 0);
        if (keyed == w->titleList)
            verifyTitleChosen(Titles[0]);
    }

    void typeAheadWalksTheReadingOrder_data()
    {
        QTest::addColumn<QStringList>("typed");  // the title field's text after each change
        QTest::addColumn<QStringList>("chosen"); // the title highlighted after it
        QTest::newRow("a title that begins others")
            << QStringList{"l", "lo", "love", "lovel", "love"} << QStringList{"Love/7", "Love/7", "Love/7", "Lovely/6", "Love/7"};
        QTest::newRow("Help before Help!") << QStringList{"h", "help", "help!", "help"}
                                           << QStringList{"Help/9", "Help/9", "Help!/8", "Help/9"};
        QTest::newRow("emptied: the empty title") << QStringList{"w", ""} << QStringList{"Waterloo/1", "/12"};
    }
    void typeAheadWalksTheReadingOrder()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, chosen);
        for (int i = 0; i < typed.size(); ++i) {
            w->titleField->setText(typed[i]);
            QCOMPARE(shownCurrent(w->titleList), chosen[i]);
            QCOMPARE(w->titleField->text(), typed[i]);
        }
    }

    void searchVisitsEachMatchOnceInListOrder_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("found"); // per Next; "" for "Searchstring not found..."
        QTest::newRow("love") << "love" << QStringList{"Love/7", "Love Cats/4", "Love Me Do/5", "Lovely/6", "Lovesong/3", "", "Love/7"};
        QTest::newRow("waterloo") << "WATERLOO" << QStringList{"Waterloo/1", "Waterloo/10", "Waterloo/11", "waterloo/15", ""};
        QTest::newRow("help") << "help" << QStringList{"Help/9", "Help!/8", ""};
    }
    void searchVisitsEachMatchOnceInListOrder()
    {
        QFETCH(QString, wanted);
        QFETCH(QStringList, found);
        SearchDialog& search = j->search();
        w->searchAction->trigger();
        QVERIFY(search.titlesOption->isChecked());
        search.searchField->setText(wanted);
        int messages = 0;
        for (const QString& title : found) {
            search.nextButton->click();
            if (title.isEmpty()) {
                QCOMPARE(f->messageBox.shown.size(), ++messages);
                QCOMPARE(f->messageBox.shown.last().text, QString("Searchstring not found..."));
                QCOMPARE(w->titleList->currentRow(), -1);
            } else {
                QCOMPARE(f->messageBox.shown.size(), messages);
                verifyTitleChosen(title);
            }
        }
    }
};

QTEST_MAIN(TestBrowserLists)
#include "tst_browser_lists.moc"
