#include "ui/browser/LibraryBrowser.h"

#include "core/Library.h"
#include "core/QuickHash.h"
#include "core/RecordCode.h"
#include "core/RecordRenumbering.h"
#include "core/SharedTexts.h"
#include "core/TextCase.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/RowChosenAgain.h"
#include "ui/window/SortedLists.h"
#include "ui/window/WindowMode.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <utility>
#include <vector>

namespace {

QString currentText(const ListBox* list)
{
    const int row = list->currentRow();
    return row >= 0 ? list->text(row) : QString();
}

// Single-line entries of one font: the lists need not measure every entry (which takes long
// for thousands). Artists are padded to a fixed width and titles carry a hidden code after the
// title, so the lists scroll only vertically: what lies past the edge is blank.
void setUpList(ListBox* list, LibraryListModel* model)
{
    list->setModel(model);
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The text without the blanks around it, sharing its characters when it has none.
QString trimmed(const QString& text)
{
    const QStringView t = trimBlanks(text);
    return t.size() == text.size() ? text : t.toString();
}

// The strings of the records a scan looks at. Records read from one database share one string per
// distinct artist and per distinct genre: a string met before holds a text met before, and
// needs no second look. Strings are told apart by where their characters start (a trimmed
// string's characters start at one place too), so they must stay as they are while the scan lasts.
class StringsMet
{
public:
    // expected: about how many distinct strings will come; the table starts large enough for them.
    explicit StringsMet(qsizetype expected = 0) : slots_(hashTableSize(expected)) {}

    bool isNew(QStringView text)
    {
        const QChar* const start = text.data();
        if (!start)
            return !std::exchange(nullMet_, true);
        const QChar*& slot = slots_[find(start)];
        if (slot)
            return false;
        slot = start;
        if (++count_ * 2 > slots_.size())
            grow();
        return true;
    }
    // Fetches the memory that looking text up reads: for a string a little further on.
    void prefetch(QStringView text) const { __builtin_prefetch(&slots_[placeOf(text.data())]); }

private:
    size_t placeOf(const QChar* start) const
    {
        return size_t((quintptr(start) >> 3) * 0x9E3779B97F4A7C15ull >> 32) & (slots_.size() - 1);
    }
    size_t find(const QChar* start) const
    {
        size_t i = placeOf(start);
        while (slots_[i] && slots_[i] != start)
            i = (i + 1) & (slots_.size() - 1);
        return i;
    }
    void grow()
    {
        std::vector<const QChar*> old(slots_.size() * 2);
        old.swap(slots_);
        for (const QChar* start : old)
            if (start)
                slots_[find(start)] = start;
    }

    std::vector<const QChar*> slots_; // null: a free slot
    size_t count_ = 0;
    bool nullMet_ = false;
};

} // namespace

LibraryBrowser::LibraryBrowser(MainWindow& window, const Library& library, const WindowMode& mode)
    : QObject(&window), window_(window), library_(library), mode_(mode)
{
    setUpList(window_.artistList, &artists_);
    setUpList(window_.titleList, &titles_);
    connect(&library_, &Library::openChanged, this, &LibraryBrowser::showOpeningHint);
    showOpeningHint();
    connect(window_.genreFilter, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            genreChosen();
    });
    connect(window_.showAllButton, &QPushButton::clicked, this, &LibraryBrowser::showAllTitles);
    connect(window_.artistList, &ListBox::currentRowChanged, this, &LibraryBrowser::artistChosen);
    connect(window_.titleList, &ListBox::currentRowChanged, this, &LibraryBrowser::titleChosen);
    // A click on the highlighted row acts as on any other: after the artist field's type-ahead
    // highlighted an artist, say, it lists the artist's titles.
    new RowChosenAgain(window_.artistList, RowChosenAgain::On::Press, this, [this](int row) { selectArtistRow(row); });
    new RowChosenAgain(window_.titleList, RowChosenAgain::On::Press, this, [this](int row) { selectTitleRow(row); });
}

QList<int> LibraryBrowser::recordsOfChosenGenre(bool everyRecord) const
{
    const LibraryTable& table = library_.table();
    return everyRecord ? table.everyRecord()
                       : table.recordsWhere(Field::Genre, window_.genreFilter->currentText(), Match::TrimmedIgnoringCase);
}

void LibraryBrowser::genreChosen()
{
    window_.genreField->setText(window_.genreFilter->currentText());
    if (window_.isVisible())
        window_.artistField->setFocus();
    if (mode_.isEditing())
        return;
    artists_.clear();
    titles_.clear();

    const bool allGenres = trimBlanks(window_.genreFilter->currentText()) == AllGenres;
    const LibraryTable& table = library_.table();
    const QList<int> records = recordsOfChosenGenre(allGenres);
    // A library holds a few records per artist.
    UpperCaseSet seen(records.size() / 4);
    StringsMet strings(records.size() / 4);
    QList<LibraryListModel::Row> artists;
    for (int n : records) {
        // Stored artists differ exactly when they differ without their padding.
        const QString& artist = table.record(n).artist;
        if (strings.isNew(artist) && seen.insert(artist))
            artists.append(LibraryListModel::artistRow(artist, true));
    }
    addAllSorted(window_.artistList, artists_, std::move(artists));
}

void LibraryBrowser::showAllTitles()
{
    // Deselecting runs the artist handling like any other selection change.
    if (window_.artistList->currentRow() >= 0)
        window_.artistList->setCurrentRow(-1);
    titles_.clear();

    const bool everyTitle = trimBlanks(window_.genreFilter->currentText()) == AllGenres || mode_.isEditing();
    const LibraryTable& table = library_.table();
    QList<LibraryListModel::Row> titles;
    titles.reserve(everyTitle ? table.recordCount() : 0);
    for (int n : recordsOfChosenGenre(everyTitle))
        titles.append(LibraryListModel::titleRow(table.record(n).title, n));
    addAllSorted(window_.titleList, titles_, std::move(titles));
}

void LibraryBrowser::artistChosen()
{
    if (mode_.isEditing() && !artistClearedByTitle_) {
        titleSetByProgram_ = true;
        window_.titleList->setCurrentRow(-1);
        emit removableChosen();
    }
    if (window_.artistList->currentRow() >= 0 && !artistSetByTyping_)
        showChosenRowInField(window_.artistField, trimBlanks(currentText(window_.artistList)).toString());
    if (!artistClearedByTitle_) {
        titles_.clear();
        // The artist field decides, not the list entry: after a type-ahead selection it holds
        // only what the user typed so far.
        const LibraryTable& table = library_.table();
        QList<LibraryListModel::Row> titles;
        for (int n : table.recordsWhere(Field::Artist, window_.artistField->text(), Match::TrimmedIgnoringCase))
            titles.append(LibraryListModel::titleRow(table.record(n).title, n));
        addAllSorted(window_.titleList, titles_, std::move(titles));
    }
    artistSetByTyping_ = false;
    titleSetByProgram_ = false;
}

void LibraryBrowser::titleChosen()
{
    if (mode_.isEditing() && !titleSetByProgram_) {
        artistClearedByTitle_ = true;
        window_.artistList->setCurrentRow(-1);
        emit removableChosen();
    }
    if (!titleSetByTyping_ && window_.titleList->currentRow() >= 0)
        showChosenRowInField(window_.titleField, visibleTextOfCodedEntry(currentText(window_.titleList)).toString());
    titleSetByTyping_ = false;
    artistClearedByTitle_ = false;
}

void LibraryBrowser::showChosenRowInField(QLineEdit* field, const QString& text)
{
    // The field's type-ahead would select the first row beginning with the text, which need not
    // be the row chosen: another of the same title, or one whose text goes on past it.
    const QScopedValueRollback showing(showingChosenRowInField_, true);
    field->setText(text);
}

void LibraryBrowser::selectArtistRow(int row)
{
    if (window_.artistList->currentRow() == row)
        artistChosen();
    else
        window_.artistList->setCurrentRow(row);
}

void LibraryBrowser::selectTitleRow(int row)
{
    if (window_.titleList->currentRow() == row)
        titleChosen();
    else
        window_.titleList->setCurrentRow(row);
}

void LibraryBrowser::selectAllGenres()
{
    QComboBox* genres = window_.genreFilter;
    const int all = genres->findText(AllGenres, Qt::MatchExactly);
    if (all < 0 || all == genres->currentIndex())
        genreChosen();
    else
        genres->setCurrentIndex(all);
}

void LibraryBrowser::selectArtistByTyping(int row)
{
    artistSetByTyping_ = true;
    // Typing on to the whole artist name lists its titles, also when it is already selected.
    selectArtistRow(row);
    artistSetByTyping_ = false;
}

void LibraryBrowser::selectTitleByTyping(int row)
{
    titleSetByTyping_ = true;
    titleSetByProgram_ = true;
    selectTitleRow(row);
    titleSetByTyping_ = false;
    titleSetByProgram_ = false;
}

void LibraryBrowser::selectTitleToShowRecord(int row)
{
    titleSetByProgram_ = true;
    selectTitleRow(row); // also when it is already selected: the title field was emptied
    titleSetByProgram_ = false;
}

void LibraryBrowser::selectArtist(QStringView artist)
{
    for (int i = 0; i < artists_.count(); ++i) {
        if (trimBlanks(artists_.text(i)) == artist) {
            selectArtistRow(i);
            return;
        }
    }
}

void LibraryBrowser::listRecordsFrom(int first)
{
    listNewRecords(first, true);
}

void LibraryBrowser::listAppendedRecords(int first)
{
    listNewRecords(first, false);
    // The whole library, as after a load; while records are edited the artists listed stay.
    if (!mode_.isEditing())
        selectAllGenres();
    showAllTitles();
}

void LibraryBrowser::listNewRecords(int first, bool withTitles)
{
    // Artists are distinct ignoring case, as stored (40 characters); genres trimmed. The first
    // spelling met wins; the lists' own entries count as met.
    // A library holds a few records per artist.
    const qsizetype expectedArtists = artists_.count() + (library_.recordCount() - first + 1) / 4;
    UpperCaseSet artistsSeen(expectedArtists);
    for (int i = 0; i < artists_.count(); ++i)
        artistsSeen.insert(trimTrailingBlanks(artists_.text(i)));
    UpperCaseSet genresSeen;
    for (int i = 0; i < window_.genreFilter->count(); ++i)
        genresSeen.insert(trimBlanks(window_.genreFilter->itemText(i)));

    StringsMet artistStrings(expectedArtists), genreStrings;
    const LibraryTable& table = library_.table();
    QList<LibraryListModel::Row> newArtists, newTitles;
    QStringList newGenres;
    newTitles.reserve(withTitles ? table.recordCount() - first + 1 : 0);
    for (int n = first; n <= table.recordCount(); ++n) {
        const LibraryRecord& record = table.record(n);
        // Each title lies elsewhere in memory: what a record further on needs is fetched meanwhile.
        if (n + 8 <= table.recordCount()) {
            __builtin_prefetch(table.record(n + 8).title.constData());
            artistStrings.prefetch(table.record(n + 8).artist);
        }
        // Padded texts compare equal exactly when their unpadded forms do.
        if (artistStrings.isNew(record.artist) && artistsSeen.insert(record.artist))
            newArtists.append(LibraryListModel::artistRow(record.artist, true));
        const QStringView genre = trimBlanks(record.genre);
        if (genreStrings.isNew(genre) && genresSeen.insert(genre))
            newGenres.append(genre.toString());
        if (withTitles)
            newTitles.append(LibraryListModel::titleRow(record.title, n));
    }
    addAllSorted(window_.artistList, artists_, std::move(newArtists));
    addAllSorted(window_.titleList, titles_, std::move(newTitles));
    addAllSorted(window_.genreFilter, std::move(newGenres));
}

void LibraryBrowser::showOpeningHint()
{
    // The empty artist list tells a first start where the music comes from; the first record
    // listed takes the line's place.
    static const QString hint = QStringLiteral("No database is open. Open one with File > Open Database, "
                                               "or make a new one with Database > New.");
    window_.artistList->setPlaceholderText(library_.isOpen() ? QString() : hint);
}

void LibraryBrowser::resetLists()
{
    artists_.clear();
    titles_.clear();
    emptyList(window_.genreFilter);
    // Added to the empty filter, "(All genres)" becomes its choice, which runs the genre handling.
    window_.genreFilter->addItem(AllGenres);
    if (window_.genreFilter->currentIndex() != 0)
        window_.genreFilter->setCurrentIndex(0);
}

void LibraryBrowser::leaveOutAllGenres()
{
    // Taking the entry out is no choice of a genre; the next choice of any genre is one.
    QComboBox* genres = window_.genreFilter;
    const QSignalBlocker block(genres);
    const int all = genres->findText(AllGenres, Qt::MatchExactly);
    if (all >= 0)
        genres->removeItem(all);
    genres->setCurrentIndex(-1);
}

void LibraryBrowser::bringBackAllGenres()
{
    if (window_.genreFilter->findText(AllGenres, Qt::MatchExactly) < 0)
        addSorted(window_.genreFilter, AllGenres);
}

void LibraryBrowser::listAddedRecord(int n)
{
    // The artist and the genre are listed unless an entry equal to them (both trimmed, case
    // matters) is there.
    const LibraryRecord& record = library_.record(n);
    const QString artist = trimmed(record.artist);
    const QString genre = trimBlanks(record.genre).toString();
    const auto listed = [](int count, auto textAt, QStringView text) {
        for (int i = 0; i < count; ++i)
            if (trimBlanks(textAt(i)) == text)
                return true;
        return false;
    };
    if (!listed(artists_.count(), [this](int i) { return artists_.text(i); }, artist))
        artists_.addSorted(LibraryListModel::artistRow(artist, false));
    QComboBox* genres = window_.genreFilter;
    if (!listed(genres->count(), [genres](int i) { return genres->itemText(i); }, genre))
        addSorted(genres, genre);
    titles_.addSorted(LibraryListModel::titleRow(record.title, n));
}

void LibraryBrowser::forgetArtistIfUnused(const QString& artist)
{
    if (library_.table().firstRecordWhere(Field::Artist, artist, Match::AsStored) != 0)
        return;
    const QStringView unpadded = trimBlanks(artist);
    for (int i = 0; i < artists_.count(); ++i) {
        if (trimBlanks(artists_.text(i)) == unpadded) {
            artists_.remove(i);
            return;
        }
    }
}

void LibraryBrowser::removeTitleRow(int row)
{
    titles_.remove(row);
}

void LibraryBrowser::followRecordRemoval(const QList<int>& numbers)
{
    const QSignalBlocker block(window_.titleList);
    titles_.followRemoval(RecordRemoval(numbers));
}

QList<int> LibraryBrowser::recordsOfChosenArtist() const
{
    const int row = window_.artistList->currentRow();
    if (row < 0)
        return {};
    return library_.table().recordsWhere(Field::Artist, artists_.text(row), Match::TrimmedIgnoringCase);
}

int LibraryBrowser::recordOfChosenTitle() const
{
    const int row = window_.titleList->currentRow();
    if (row < 0)
        return 0;
    const int record = titles_.recordAt(row);
    return library_.table().contains(record) ? record : 0;
}
