#include "browser/ArtistTitleLists.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "app/TextCase.h"
#include "browser/LibraryDrag.h"
#include "library/RecordCode.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QString selectedText(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item ? item->text() : QString();
}

QString upperTrimmed(QStringView text)
{
    return upperCased(trimBlanks(text));
}

// Single-line entries of one font: the lists need not measure every entry (which takes long
// for thousands), and, like the original lists, they scroll only vertically.
void setUpList(QListWidget* list)
{
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

} // namespace

ArtistTitleLists::ArtistTitleLists(Form1& form) : form_(form)
{
    QObject::connect(form_.Combo1, &QComboBox::currentIndexChanged, &form_, [this](int index) {
        if (index >= 0)
            Combo1_Click();
    });
    QObject::connect(form_.Command12, &QPushButton::clicked, &form_, [this] { Command12_Click(); });
    QObject::connect(form_.List1, &QListWidget::currentRowChanged, &form_, [this] { List1_Click(); });
    QObject::connect(form_.List2, &QListWidget::currentRowChanged, &form_, [this] { List2_Click(); });
    setUpList(form_.List1);
    setUpList(form_.List2);
    drag = std::make_unique<LibraryDrag>(form_);
}

ArtistTitleLists::~ArtistTitleLists() = default;

void ArtistTitleLists::Combo1_Click()
{
    form_.Text4->setText(form_.Combo1->currentText());
    if (form_.isVisible())
        form_.Text1->setFocus();
    if (form_.inEditMode())
        return;
    emptyList(form_.List1);
    emptyList(form_.List2);

    const QString genre = trimBlanks(form_.Combo1->currentText()).toString();
    const bool allGenres = genre == AllGenres;
    const QString genreKey = upperCased(genre);
    const LibraryTable& table = form_.library;
    UpperCaseSet seen;
    QStringList artists;
    for (int i = 1; i <= table.RecordCount(); ++i) {
        const LibraryRecord& record = table.record(i);
        if (!allGenres && !equalsUpperCased(trimBlanks(record.Genre), genreKey))
            continue;
        // Stored artists differ exactly when they differ without their padding.
        if (seen.insert(record.Artist))
            artists.append(table.Artist(i));
    }
    addAllSorted(form_.List1, std::move(artists));
}

void ArtistTitleLists::Command12_Click()
{
    // Deselecting runs the artist handler like any other selection change.
    if (form_.List1->currentRow() >= 0)
        form_.List1->setCurrentRow(-1);
    emptyList(form_.List2);

    const QString genre = trimBlanks(form_.Combo1->currentText()).toString();
    const bool everyTitle = genre == AllGenres || form_.inEditMode();
    const QString genreKey = upperCased(genre);
    const LibraryTable& table = form_.library;
    QStringList titles;
    titles.reserve(table.RecordCount());
    for (int i = 1; i <= table.RecordCount(); ++i) {
        const LibraryRecord& record = table.record(i);
        if (everyTitle || equalsUpperCased(trimBlanks(record.Genre), genreKey))
            titles.append(codedEntry(trimBlanks(record.Title), i));
    }
    addAllSorted(form_.List2, std::move(titles));
}

void ArtistTitleLists::List1_Click()
{
    if (form_.inEditMode() && !form_.ArtistClearedByTitle) {
        form_.TitleSetByProgram = true;
        form_.List2->setCurrentRow(-1);
        form_.Command10->setEnabled(true);
    }
    if (form_.List1->currentRow() >= 0 && !form_.ArtistSetByTyping)
        form_.Text1->setText(trimBlanks(selectedText(form_.List1)).toString());
    if (!form_.ArtistClearedByTitle) {
        emptyList(form_.List2);
        // The artist field decides, not the list entry: after a type-ahead selection it holds
        // only what the user typed so far.
        const QString artistKey = upperTrimmed(form_.Text1->text());
        const LibraryTable& table = form_.library;
        QStringList titles;
        for (int i = 1; i <= table.RecordCount(); ++i) {
            const LibraryRecord& record = table.record(i);
            if (equalsUpperCased(trimBlanks(record.Artist), artistKey))
                titles.append(codedEntry(trimBlanks(record.Title), i));
        }
        addAllSorted(form_.List2, std::move(titles));
    }
    form_.ArtistSetByTyping = false;
    form_.TitleSetByProgram = false;
}

void ArtistTitleLists::List2_Click()
{
    if (form_.inEditMode() && !form_.TitleSetByProgram) {
        form_.ArtistClearedByTitle = true;
        form_.List1->setCurrentRow(-1);
        form_.Command10->setEnabled(true);
    }
    if (!form_.TitleSetByTyping && form_.List2->currentRow() >= 0)
        form_.Text2->setText(visibleTextOfCodedEntry(selectedText(form_.List2)).toString());
    form_.TitleSetByTyping = false;
    form_.ArtistClearedByTitle = false;
}

void ArtistTitleLists::selectArtistRow(int row)
{
    if (form_.List1->currentRow() == row)
        List1_Click();
    else
        form_.List1->setCurrentRow(row);
}

void ArtistTitleLists::selectTitleRow(int row)
{
    if (form_.List2->currentRow() == row)
        List2_Click();
    else
        form_.List2->setCurrentRow(row);
}

void ArtistTitleLists::selectAllGenres()
{
    const int all = form_.Combo1->findText(AllGenres, Qt::MatchExactly);
    if (all < 0 || all == form_.Combo1->currentIndex())
        Combo1_Click();
    else
        form_.Combo1->setCurrentIndex(all);
}
