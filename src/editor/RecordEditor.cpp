#include "editor/RecordEditor.h"

#include "app/Form1.h"
#include "app/ListSelection.h"
#include "app/SortedLists.h"
#include "browser/ArtistTitleLists.h"
#include "editor/DatabaseRewrite.h"
#include "library/DatabaseLoader.h"
#include "library/RecordCode.h"
#include "playback/PlayerControl.h"
#include "playlist/PlaylistEntry.h"
#include "playlist/RecordRemoval.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString MessageTitle = QStringLiteral("Vexolin");

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

RecordEditor::RecordEditor(Form1& form) : form_(form)
{
    auto on = [this](auto* sender, auto signal, void (RecordEditor::*handler)()) {
        QObject::connect(sender, signal, &connections_, [this, handler] { (this->*handler)(); });
    };
    on(form_.NewVexolin, &QAction::triggered, &RecordEditor::NewVexolin_Click);
    on(form_.EditVexolin, &QAction::triggered, &RecordEditor::EditVexolin_Click);
    on(form_.Command11, &QPushButton::clicked, &RecordEditor::Command11_Click);
    on(form_.Command10, &QPushButton::clicked, &RecordEditor::Command10_Click);
    on(form_.Command9, &QPushButton::clicked, &RecordEditor::Command9_Click);
}

QList<QAction*> RecordEditor::blockedMenuItems() const
{
    return {form_.EditVexolin, form_.NewVexolin, form_.DatabaseCheck, form_.OpenDatabase,
            form_.OpenPlaylist, form_.SavePlaylist, form_.CreateCD};
}

void RecordEditor::NewVexolin_Click()
{
    form_.Label12->setText(QStringLiteral("Enter the filename for the new database..."));
    form_.Label12->show();
    FileDialog& dialog = form_.fileDialog();
    dialog.filter = DatabaseFilter;
    dialog.title = QStringLiteral("New Database");
    dialog.fileName.clear();
    const QString path = dialog.showSave(&form_);
    if (!path.isEmpty()) {
        // A file that cannot be created leaves no database open; Add then says so.
        form_.database.close();
        QFile created(path);
        if (created.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            created.close();
            form_.database.openForAppend(path);
        }
    }
    form_.Label12->hide();
    EditVexolin_Click();
}

void RecordEditor::EditVexolin_Click()
{
    for (QAction* item : blockedMenuItems())
        item->setEnabled(false);
    {
        // Taking the entry out is no choice of a genre; the next choice of any genre is one.
        const QSignalBlocker block(form_.Combo1);
        const int allGenres = form_.Combo1->findText(AllGenres, Qt::MatchExactly);
        if (allGenres >= 0)
            form_.Combo1->removeItem(allGenres);
        form_.Combo1->setCurrentIndex(-1);
    }
    form_.Text1->clear();
    form_.Text2->clear();
    form_.Text4->clear();
    form_.Text4->show();
    form_.Command9->show();
    form_.Command10->show();
    form_.Command11->show();
    form_.Command10->setEnabled(false);
    form_.Command6->hide();
}

QString RecordEditor::addRefusal() const
{
    if (!form_.database.isOpen())
        return QStringLiteral("No database is open to add the record to.\n\n"
                              "Open one with File > Open Database or create one with Database > New.");
    if (selectedRow(form_.List3) < 0)
        return QStringLiteral("Select the playlist entry whose file the new record names.");
    if (form_.library.isFull())
        return QStringLiteral("The database is full: it holds %1 records, the most it can hold.")
            .arg(LibraryCapacity);
    return {};
}

void RecordEditor::Command11_Click()
{
    if (const QString refusal = addRefusal(); !refusal.isEmpty()) {
        form_.messageBox().show(&form_, refusal, MessageTitle);
        return;
    }
    const int n = storeRecordOfSelectedEntry();
    appendToFile(form_.library.record(n));
    // Ready for the next title of the same artist and genre.
    form_.Text2->clear();
    if (form_.List3->count() > 0)
        form_.playerControl->OpenMedia(1);
    form_.Text2->setFocus();
    form_.List2->setCurrentRow(-1);
}

int RecordEditor::storeRecordOfSelectedEntry()
{
    QListWidget* playlist = form_.List3;
    const int row = selectedRow(playlist);
    const QString artist = trimBlanks(form_.Text1->text()).toString();
    const QString title = trimBlanks(form_.Text2->text()).toString();
    const QString genre = trimBlanks(form_.Text4->text()).toString();
    form_.library.append(LibraryRecord::fromTexts(artist, title, genre, fileOfEntry(playlist->item(row)->text(), form_.library)));
    const int n = form_.library.RecordCount();
    // The entry is used up; removing it is no click on another entry.
    removeEntry(playlist, row);
    addIfMissing(form_.List1, form_.List1->count(), [this](int i) { return form_.List1->item(i)->text(); }, artist);
    addIfMissing(form_.Combo1, form_.Combo1->count(), [this](int i) { return form_.Combo1->itemText(i); }, genre);
    addSorted(form_.List2, codedEntry(trimBlanks(form_.library.record(n).Title), n));
    return n;
}

void RecordEditor::appendToFile(const LibraryRecord& record)
{
    QString error;
    if (form_.database.append(record, &error))
        return;
    // The record stays in the table; Done's rewrite stores it.
    form_.DatabaseChanged = true;
    form_.messageBox().show(&form_,
                            QStringLiteral("The record could not be added to the database file.\n\n%1\n%2\n\n"
                                           "It is kept and will be written when you press Done.")
                                .arg(form_.database.path(), error),
                            MessageTitle);
}

void RecordEditor::Command10_Click()
{
    QListWidget* titles = form_.List2;
    if (const int row = titles->currentRow(); row >= 0) {
        const int n = recordOfCodedEntry(titles->item(row)->text());
        removeEntry(titles, row);
        if (n >= 1 && n <= form_.library.RecordCount()) {
            const QString artist = form_.library.Artist(n);
            followRecordRemoval(form_.List3, form_.library, {n});
            form_.library.remove(n);
            // Titles not refilled afterwards (the artist may not be listed) must still name their
            // own records, or a later Remove would take the wrong one.
            followRecordRemovalInTitles(form_.List2, {n});
            selectArtist(trimBlanks(artist));
            removeArtistEntryIfUnused(artist);
        }
    } else if (form_.List1->currentRow() >= 0) {
        RemoveArtist();
    }
    form_.DatabaseChanged = true;
}

void RecordEditor::selectArtist(QStringView artist)
{
    QListWidget* artists = form_.List1;
    for (int i = 0; i < artists->count(); ++i) {
        if (trimBlanks(artists->item(i)->text()) != artist)
            continue;
        // The artist's handling refills the titles from the renumbered table.
        form_.lists->selectArtistRow(i);
        return;
    }
}

void RecordEditor::removeArtistEntryIfUnused(const QString& paddedArtist)
{
    // Stored fields are kept without their padding: equal padded fields are equal unpadded.
    const QStringView unpadded = trimTrailingBlanks(paddedArtist);
    const LibraryTable& table = form_.library;
    for (int i = 1; i <= table.RecordCount(); ++i)
        if (table.record(i).Artist == unpadded)
            return;
    QListWidget* artists = form_.List1;
    const QStringView artist = trimBlanks(paddedArtist);
    for (int i = 0; i < artists->count(); ++i) {
        if (trimBlanks(artists->item(i)->text()) == artist) {
            removeEntry(artists, i);
            return;
        }
    }
}

void RecordEditor::RemoveArtist()
{
    const int count = form_.List2->count();
    for (int i = 0; i < count; ++i) {
        form_.List2->setCurrentRow(0);
        Command10_Click();
    }
}

void RecordEditor::Command9_Click()
{
    QComboBox* genres = form_.Combo1;
    if (genres->findText(AllGenres, Qt::MatchExactly) < 0)
        addSorted(genres, AllGenres);
    form_.Text1->clear();
    form_.Text2->clear();
    form_.Text4->hide();
    form_.Command9->hide();
    form_.Command10->hide();
    form_.Command11->hide();
    form_.Command6->show();
    form_.lists->Command12_Click();
    for (QAction* item : blockedMenuItems())
        item->setEnabled(true);
    // A failed rewrite has told the user why; the removals stay pending for the next Done.
    if (form_.DatabaseChanged && rewriteDatabase(form_))
        form_.DatabaseChanged = false;
    form_.lists->selectAllGenres();
}
