#include "ui/browser/LibraryBrowser.h"

#include "core/Library.h"
#include "core/RecordCode.h"
#include "core/RecordRenumbering.h"
#include "core/SharedTexts.h"
#include "core/TextCase.h"
#include "ui/window/MainWindow.h"
#include "ui/window/RowChosenAgain.h"
#include "ui/window/SortedLists.h"
#include "ui/window/WindowMode.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace {

QString currentText(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

// Single-line entries of one font: the lists need not measure every entry (which takes long
// for thousands), and, like the original lists, they scroll only vertically.
void setUpList(QListWidget* list)
{
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// Adds text to a sorted list unless an entry equal to it (both trimmed, case matters) is in.
template <typename List, typename TextAt>
void addIfMissing(List* list, int count, TextAt textAt, const QString& text)
{
    for (int i = 0; i < count; ++i)
        if (trimBlanks(textAt(i)) == text)
            return;
    addSorted(list, text);
}

} // namespace

LibraryBrowser::LibraryBrowser(MainWindow& window, const Library& library, const WindowMode& mode)
    : QObject(&window), window_(window), library_(library), mode_(mode)
{
    connect(window_.genreFilter, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            genreChosen();
    });
    connect(window_.showAllButton, &QPushButton::clicked, this, &LibraryBrowser::showAllTitles);
    connect(window_.artistList, &QListWidget::currentRowChanged, this, &LibraryBrowser::artistChosen);
    connect(window_.titleList, &QListWidget::currentRowChanged, this, &LibraryBrowser::titleChosen);
    // A click on the highlighted row acts as on any other: after the artist field's type-ahead
    // highlighted an artist, say, it lists the artist's titles.
    new RowChosenAgain(window_.artistList, RowChosenAgain::On::Press, this, [this](int row) { selectArtistRow(row); });
    new RowChosenAgain(window_.titleList, RowChosenAgain::On::Press, this, [this](int row) { selectTitleRow(row); });
    setUpList(window_.artistList);
    setUpList(window_.titleList);
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
    emptyList(window_.artistList);
    emptyList(window_.titleList);

    const bool allGenres = trimBlanks(window_.genreFilter->currentText()) == AllGenres;
    const LibraryTable& table = library_.table();
    UpperCaseSet seen;
    QStringList artists;
    for (int n : recordsOfChosenGenre(allGenres)) {
        // Stored artists differ exactly when they differ without their padding.
        if (seen.insert(table.record(n).artist))
            artists.append(table.paddedArtist(n));
    }
    addAllSorted(window_.artistList, std::move(artists));
}

void LibraryBrowser::showAllTitles()
{
    // Deselecting runs the artist handling like any other selection change.
    if (window_.artistList->currentRow() >= 0)
        window_.artistList->setCurrentRow(-1);
    emptyList(window_.titleList);

    const bool everyTitle = trimBlanks(window_.genreFilter->currentText()) == AllGenres || mode_.isEditing();
    const LibraryTable& table = library_.table();
    QStringList titles;
    titles.reserve(everyTitle ? table.recordCount() : 0);
    for (int n : recordsOfChosenGenre(everyTitle))
        titles.append(codedEntry(trimBlanks(table.record(n).title), n));
    addAllSorted(window_.titleList, std::move(titles));
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
        emptyList(window_.titleList);
        // The artist field decides, not the list entry: after a type-ahead selection it holds
        // only what the user typed so far.
        const LibraryTable& table = library_.table();
        QStringList titles;
        for (int n : table.recordsWhere(Field::Artist, window_.artistField->text(), Match::TrimmedIgnoringCase))
            titles.append(codedEntry(trimBlanks(table.record(n).title), n));
        addAllSorted(window_.titleList, std::move(titles));
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
    QListWidget* artists = window_.artistList;
    for (int i = 0; i < artists->count(); ++i) {
        if (trimBlanks(artists->item(i)->text()) == artist) {
            selectArtistRow(i);
            return;
        }
    }
}

void LibraryBrowser::listRecordsFrom(int first)
{
    // Artists are distinct ignoring case, as stored (40 characters); genres trimmed. The first
    // spelling met wins; the lists' own entries count as met.
    UpperCaseSet artistsSeen;
    for (int i = 0; i < window_.artistList->count(); ++i)
        artistsSeen.insert(trimTrailingBlanks(window_.artistList->item(i)->text()));
    UpperCaseSet genresSeen;
    for (int i = 0; i < window_.genreFilter->count(); ++i)
        genresSeen.insert(trimBlanks(window_.genreFilter->itemText(i)));

    const LibraryTable& table = library_.table();
    QStringList newArtists, newGenres, newTitles;
    newTitles.reserve(table.recordCount() - first + 1);
    for (int n = first; n <= table.recordCount(); ++n) {
        const LibraryRecord& record = table.record(n);
        // Padded texts compare equal exactly when their unpadded forms do.
        if (artistsSeen.insert(record.artist))
            newArtists.append(table.paddedArtist(n));
        const QStringView genre = trimBlanks(record.genre);
        if (genresSeen.insert(genre))
            newGenres.append(genre.toString());
        newTitles.append(codedEntry(trimBlanks(record.title), n));
    }
    addAllSorted(window_.artistList, std::move(newArtists));
    addAllSorted(window_.titleList, std::move(newTitles));
    addAllSorted(window_.genreFilter, std::move(newGenres));
}

void LibraryBrowser::resetLists()
{
    emptyList(window_.artistList);
    emptyList(window_.titleList);
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
    const LibraryRecord& record = library_.record(n);
    const QString artist = trimBlanks(record.artist).toString();
    const QString genre = trimBlanks(record.genre).toString();
    QListWidget* artists = window_.artistList;
    QComboBox* genres = window_.genreFilter;
    addIfMissing(artists, artists->count(), [artists](int i) { return artists->item(i)->text(); }, artist);
    addIfMissing(genres, genres->count(), [genres](int i) { return genres->itemText(i); }, genre);
    addSorted(window_.titleList, codedEntry(trimBlanks(record.title), n));
}

void LibraryBrowser::forgetArtistIfUnused(const QString& artist)
{
    if (library_.table().firstRecordWhere(Field::Artist, artist, Match::AsStored) != 0)
        return;
    QListWidget* artists = window_.artistList;
    const QStringView trimmed = trimBlanks(artist);
    for (int i = 0; i < artists->count(); ++i) {
        if (trimBlanks(artists->item(i)->text()) == trimmed) {
            removeEntry(artists, i);
            return;
        }
    }
}

void LibraryBrowser::followRecordRemoval(const QList<int>& numbers)
{
    const RecordRemoval removal(numbers);
    QListWidget* titles = window_.titleList;
    const QSignalBlocker block(titles);
    for (int i = titles->count() - 1; i >= 0; --i) {
        QListWidgetItem* item = titles->item(i);
        const QString text = item->text();
        if (removal.removes(recordOfCodedEntry(text)))
            removeEntry(titles, i);
        else if (const std::optional<QString> renumbered = renumberedEntry(text, removal))
            item->setText(*renumbered);
    }
}

QList<int> LibraryBrowser::recordsOfChosenArtist() const
{
    const QListWidgetItem* item = window_.artistList->currentItem();
    if (!item)
        return {};
    return library_.table().recordsWhere(Field::Artist, item->text(), Match::TrimmedIgnoringCase);
}

int LibraryBrowser::recordOfChosenTitle() const
{
    const QListWidgetItem* item = window_.titleList->currentItem();
    if (!item)
        return 0;
    const int record = recordOfCodedEntry(item->text());
    return library_.table().contains(record) ? record : 0;
}
