#include "ui/editor/RecordEditor.h"

#include "core/ImportNaming.h"
#include "core/Library.h"
#include "core/MediaAddress.h"
#include "core/MediaFiles.h"
#include "core/Playlist.h"
#include "core/SharedTexts.h"
#include "core/StorableNames.h"
#include "core/TagReader.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/database/DatabaseSaving.h"
#include "ui/seams/Seams.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>

namespace {

// Keeps a field on one line: a pasted line break becomes a blank.
class LineBreaksAsBlanks : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (input.contains(u'\r') || input.contains(u'\n'))
            input = withoutLineBreaks(input);
        return Acceptable;
    }
};

bool hasSelectedRow(const ListBox* list)
{
    return list->selectionModel()->hasSelection();
}

} // namespace

RecordEditor::RecordEditor(MainWindow& window, WindowMode& mode, Library& library, Playlist& playlist,
                           LibraryBrowser& browser, FileDialog& fileDialog, MessageBox& messageBox,
                           const TagReader& tags)
    : QObject(&window), window_(window), mode_(mode), library_(library), playlist_(playlist), browser_(browser),
      fileDialog_(fileDialog), messageBox_(messageBox), tags_(tags)
{
    connect(window_.newDatabaseAction, &QAction::triggered, this, &RecordEditor::createDatabase);
    connect(window_.editDatabaseAction, &QAction::triggered, this, &RecordEditor::startEditing);
    connect(window_.addRecordButton, &QPushButton::clicked, this, &RecordEditor::addRecord);
    connect(window_.removeRecordButton, &QPushButton::clicked, this, &RecordEditor::removeChosen);
    connect(window_.doneEditingButton, &QPushButton::clicked, this, &RecordEditor::finishEditing);
    for (QLineEdit* field : {window_.artistField, window_.titleField, window_.genreField})
        field->setValidator(new LineBreaksAsBlanks(field));
}

void RecordEditor::createDatabase()
{
    window_.playerNotice->setText(QStringLiteral("Enter the filename for the new database..."));
    window_.playerNotice->show();
    const QString path =
        fileDialog_.showSave(&window_, {.filter = DatabaseFilter, .title = QStringLiteral("New Database"),
                                        .defaultSuffix = DatabaseSuffix});
    window_.playerNotice->hide();
    // Changes not yet written go with the database being replaced: the user decides first. A
    // file that cannot be created is reported; the open database stays open.
    if (QString error; !path.isEmpty() && settlePendingChanges(library_, messageBox_, &window_)
                       && !library_.createEmpty(path, &error))
        messageBox_.show(&window_,
                         QStringLiteral("The new database could not be created.\n\n%1\n%2").arg(path, error),
                         MessageBox::programTitle());
    startEditing();
}

void RecordEditor::startEditing()
{
    browser_.leaveOutAllGenres();
    window_.artistField->clear();
    window_.titleField->clear();
    window_.genreField->clear();
    mode_.enter(WindowMode::Editing);
    window_.removeRecordButton->setEnabled(false);
}

QString RecordEditor::addRefusal() const
{
    if (!library_.isOpen() && !library_.browseOnlyReason().isEmpty())
        return library_.browseOnlyReason()
               + QStringLiteral(".\n\nThe database is open for browsing only: records cannot be added to it.");
    if (!library_.isOpen())
        return QStringLiteral("No database is open to add the record to.\n\n"
                              "Open one with File > Open Database or create one with Database > New.");
    const int row = selectedRow(window_.playlist);
    if (row < 0)
        return QStringLiteral("Select the playlist entry whose file the new record names.");
    if (library_.table().isFull())
        return QStringLiteral("The database is full: it holds %1 records, the most it can hold.")
            .arg(LibraryCapacity);
    if (const QString reason = whyNotARecordFile(fileOfEntry(playlist_.entry(row), library_.table()));
        !reason.isEmpty())
        return reason + QStringLiteral(".\n\nThe record was not added.");
    if (library_.isChangedElsewhere())
        return changedElsewhereMessage(library_.path(), QStringLiteral("The record was not added to it"));
    return {};
}

void RecordEditor::addRecord()
{
    if (const QString refusal = addRefusal(); !refusal.isEmpty()) {
        messageBox_.show(&window_, refusal, MessageBox::programTitle());
        return;
    }
    appendToFile(storeRecordOfSelectedEntry());
    // Ready for the next title of the same artist and genre.
    window_.titleField->clear();
    if (playlist_.count() > 0)
        emit openEntryRequested(1);
    window_.titleField->setFocus();
    window_.titleList->setCurrentRow(-1);
}

int RecordEditor::storeRecordOfSelectedEntry()
{
    const int row = selectedRow(window_.playlist);
    const int n = library_.add(LibraryRecord::fromTexts(trimBlanks(window_.artistField->text()),
                                                        trimBlanks(window_.titleField->text()),
                                                        trimBlanks(window_.genreField->text()),
                                                        fileOfEntry(playlist_.entry(row), library_.table())));
    // The entry is used up; removing it is no click on another entry.
    playlist_.remove(row);
    browser_.listAddedRecord(n);
    return n;
}

void RecordEditor::appendToFile(int n)
{
    QString error;
    if (library_.appendToFile(n, &error))
        return;
    // Another program changed the file after Add checked it: Done will not write it either.
    if (library_.isChangedElsewhere()) {
        messageBox_.show(&window_,
                         changedElsewhereMessage(library_.path(), QStringLiteral("The record was not added to it")),
                         MessageBox::programTitle());
        return;
    }
    // The record stays in the table; Done's rewrite stores it.
    messageBox_.show(&window_,
                     QStringLiteral("The record could not be added to the database file.\n\n%1\n%2\n\n"
                                    "It is kept and will be written when you press Done.")
                         .arg(library_.path(), error),
                     MessageBox::programTitle());
}

void RecordEditor::removeChosen()
{
    if (const int row = window_.titleList->currentRow(); row >= 0) {
        const int n = browser_.recordOfTitleRow(row);
        browser_.removeTitleRow(row);
        if (library_.table().contains(n)) {
            const QString artist = library_.record(n).artist;
            // Playlist and title entries of later records follow the renumbering.
            library_.remove(n);
            // The artist's handling refills the titles from the renumbered table.
            browser_.selectArtist(trimBlanks(artist));
            browser_.forgetArtistIfUnused(artist);
        }
    } else if (window_.artistList->currentRow() >= 0) {
        removeArtist();
    }
    library_.requireRewrite();
}

void RecordEditor::removeArtist()
{
    const int count = window_.titleList->count();
    const int removedAtOnce = removeLeadingTitlesAtOnce();
    for (int i = removedAtOnce; i < count; ++i) {
        window_.titleList->setCurrentRow(0);
        removeChosen();
    }
}

int RecordEditor::removeLeadingTitlesAtOnce()
{
    // Removing the titles one by one refills the titles from the table after each, and each
    // refill lists the same titles less the removed ones. When every title's record has the
    // same stored artist, the one that refill chooses, all but the last title can go in one
    // removal; the last goes alone, so the window ends as it would.
    const ListBox* titles = window_.titleList;
    const int chosenArtist = window_.artistList->currentRow();
    const LibraryTable& table = library_.table();
    if (titles->count() < 2 || chosenArtist < 0)
        return 0;
    QList<int> numbers;
    numbers.reserve(titles->count());
    for (int row = 0; row < titles->count(); ++row)
        numbers.append(browser_.recordOfTitleRow(row));
    if (!std::all_of(numbers.cbegin(), numbers.cend(), [&](int n) { return table.contains(n); }))
        return 0;
    const QString artist = table.record(numbers.first()).artist;
    if (trimBlanks(artist) != trimBlanks(window_.artistList->text(chosenArtist)) ||
        !std::all_of(numbers.cbegin(), numbers.cend(), [&](int n) { return table.record(n).artist == artist; }))
        return 0;
    numbers.removeLast();
    library_.removeAll(numbers);
    browser_.selectArtist(trimBlanks(artist));
    browser_.forgetArtistIfUnused(artist);
    library_.requireRewrite();
    return int(numbers.size());
}

void RecordEditor::finishEditing()
{
    browser_.bringBackAllGenres();
    window_.artistField->clear();
    window_.titleField->clear();
    mode_.leave();
    browser_.showAllTitles();
    // A failed rewrite has told the user why; the changes stay pending for the next Done.
    if (library_.needsRewrite())
        saveRewrittenDatabase(library_, messageBox_, &window_);
    browser_.selectAllGenres();
}

void RecordEditor::takeUpChosenEntry(const PlaylistEntry& entry)
{
    if (!mode_.isEditing())
        return;
    window_.titleField->clear();
    fillFieldsFromTags(entry);
    warnIfAlreadyListed(entry);
}

void RecordEditor::fillFieldsFromTags(const PlaylistEntry& entry)
{
    const QString file = fileOfEntry(entry, library_.table());
    const AddressKind kind = addressKind(file);
    if (kind != AddressKind::LocalFile && kind != AddressKind::FileUrl)
        return;
    const QString path = playerAddress(file, QDir::currentPath());
    if (!QFileInfo(path).isFile() || !isMediaFile(path))
        return;
    const MediaTags tags = tags_.read(path).tags;
    const auto fill = [](QLineEdit* field, const QString& tag, int width) {
        if (const QString text = fieldTextOfTag(tag, width); !text.isEmpty())
            field->setText(text);
    };
    fill(window_.genreField, tags.genre, GenreWidth);
    fill(window_.artistField, tags.artist, ArtistWidth);
    fill(window_.titleField, tags.title, TitleWidth);
}

void RecordEditor::warnIfAlreadyListed(const PlaylistEntry& entry)
{
    const int r = chooseArtistOfFile(entry);
    if (r != 0 && chooseTitleOfRecord(r))
        messageBox_.show(&window_, QStringLiteral("This database contains already a link to this file/url..."),
                         QStringLiteral("Warning..."));
}

int RecordEditor::chooseArtistOfFile(const PlaylistEntry& entry)
{
    // The path the entry opens, as Add would store it. Only the first record with this file
    // counts, whether or not its artist is listed.
    const LibraryTable& table = library_.table();
    const int r = table.firstRecordWhere(Field::File, fileOfEntry(entry, table), Match::TrimmedIgnoringCase);
    if (r == 0)
        return 0;
    const QStringView artist = trimBlanks(table.record(r).artist);
    const ListBox* artists = window_.artistList;
    for (int row = 0; row < artists->count(); ++row) {
        const QString listed = artists->text(row);
        if (trimBlanks(listed) == artist) {
            browser_.selectArtistRow(row); // lists the artist's titles, even if selected
            window_.artistField->setText(listed);
            return r;
        }
    }
    return 0;
}

bool RecordEditor::chooseTitleOfRecord(int r)
{
    for (int row = 0; row < window_.titleList->count(); ++row) {
        if (browser_.recordOfTitleRow(row) == r) {
            browser_.selectTitleToShowRecord(row);
            return true;
        }
    }
    return false;
}

void RecordEditor::updateRemoveButton()
{
    // Remove acts on exactly one of an artist or a title.
    if (hasSelectedRow(window_.artistList) == hasSelectedRow(window_.titleList))
        window_.removeRecordButton->setEnabled(false);
}

void RecordEditor::updateAddButton()
{
    window_.addRecordButton->setEnabled(!window_.artistField->text().isEmpty()
                                        && !window_.titleField->text().isEmpty()
                                        && !window_.genreField->text().isEmpty());
}

void RecordEditor::allowRemove()
{
    window_.removeRecordButton->setEnabled(true);
}
