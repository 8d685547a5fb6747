#include "ui/search/SearchDialog.h"

#include "core/TextCase.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/seams/Seams.h"
#include "ui/window/ControlLayout.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ToolWindowPlacement.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

SearchDialog::SearchDialog(MainWindow& window, LibraryBrowser& browser, MessageBox& messageBox)
    // As a dialog of the main window it is transient for it: kept above it, also while the
    // main window is the active one.
    : QDialog(&window, Qt::Dialog | Qt::FramelessWindowHint),
      caption(placed(new QLabel(QStringLiteral("Searchstring:"), this), "caption", 120, 165, 1275, 255)),
      // The field starts right of the caption (not at 1200) so that "Searchstring:" shows whole.
      searchField(placed(new QLineEdit(this), "searchField", 1395, 120, 2580, 285)),
      // The options are wider than their 855 and 735 twips, which cut their last letters.
      artistsOption(placed(new QRadioButton(QStringLiteral("Artists"), this), "artistsOption", 120, 600, 930, 255)),
      titlesOption(placed(new QRadioButton(QStringLiteral("Titles"), this), "titlesOption", 1080, 600, 825, 255)),
      nextButton(placed(new QPushButton(QStringLiteral("Next"), this), "nextButton", 1920, 540, 975, 375)),
      doneButton(placed(new QPushButton(QStringLiteral("Done"), this), "doneButton", 3000, 540, 975, 375)),
      window_(window), browser_(browser), messageBox_(messageBox)
{
    setObjectName(QStringLiteral("searchDialog"));
    setWindowTitle(QStringLiteral("Search"));
    setModal(false);
    setFixedSize(twips(4095), twips(990));
    searchField->setAccessibleName(QStringLiteral("Search string"));
    titlesOption->setChecked(true); // radio buttons of one parent: choosing one sets the other off
    // Enter in the search field runs Next once; no button may take the key as its default.
    nextButton->setAutoDefault(false);
    doneButton->setAutoDefault(false);
    setTabOrder(searchField, artistsOption);
    setTabOrder(artistsOption, titlesOption);
    setTabOrder(titlesOption, nextButton);
    setTabOrder(nextButton, doneButton);
    connect(searchField, &QLineEdit::returnPressed, this, &SearchDialog::findNext);
    connect(nextButton, &QPushButton::clicked, this, &SearchDialog::findNext);
    connect(doneButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(window_.searchAction, &QAction::triggered, this, &SearchDialog::beginSearch);
}

void SearchDialog::beginSearch()
{
    showToolWindowOverPlayer(*this, window_, *searchField);
    // The kept search string is selected: typing replaces it, Next searches for it again.
    searchField->selectAll();
    browser_.showAllTitles();
}

void SearchDialog::findNext()
{
    if (searchField->text().isEmpty())
        return;
    if (artistsOption->isChecked() && window_.artistList->count() >= 2)
        searchList(window_.artistList, QString());
    else if (titlesOption->isChecked() && window_.titleList->count() >= 2)
        searchList(window_.titleList, QStringLiteral("Search"));
}

void SearchDialog::searchList(ListBox* list, const QString& title)
{
    // The whole entry is searched: a title entry's record code is part of its text.
    const QString wanted = upperCased(searchField->text());
    for (int i = list->currentRow() + 1; i < list->count(); ++i) {
        if (upperCased(list->text(i)).contains(wanted)) {
            list->setCurrentRow(i); // the list's own selection handling runs
            return;
        }
    }
    messageBox_.show(this, QStringLiteral("Searchstring not found..."), title);
    list->setCurrentRow(-1); // the next search starts at the top
}
