#pragma once

#include <QDialog>

class LibraryBrowser;
class MainWindow;
class MessageBox;
class QLabel;
class QLineEdit;
class ListBox;
class QPushButton;
class QRadioButton;

// Search > Search (F3): the borderless search dialog. Each Next selects the next artist or title
// of the main window that contains the search string, ignoring case. It is made once and only
// hidden and shown, so the search string and the chosen list stay between uses. It stays open,
// above the main window, while the user works there (an entry chosen there is where the next
// search starts); only Done hides it.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    SearchDialog(MainWindow& window, LibraryBrowser& browser, MessageBox& messageBox);

    // Search > Search: shows the dialog over the player, in front, with the focus in the search
    // field and its kept text selected, and lists every title afresh with no artist chosen, so
    // the first Next starts at the top.
    void beginSearch();
    // Next (also Enter in the search field): selects the next match after the list's selection.
    void findNext();

    QLabel* const caption;
    QLineEdit* const searchField;
    QRadioButton* const artistsOption;
    QRadioButton* const titlesOption;
    QPushButton* const nextButton;
    QPushButton* const doneButton;

private:
    // Searches list from the entry after its selection; title is the message's title.
    void searchList(ListBox* list, const QString& title);

    MainWindow& window_;
    LibraryBrowser& browser_;
    MessageBox& messageBox_;
};
