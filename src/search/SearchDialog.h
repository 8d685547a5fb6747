#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class Form1;

// Form3: the borderless search dialog. Each Next selects the next artist or title of the main
// window that contains the search string, ignoring case. It is made once and only hidden and
// shown, so the search string and the chosen list stay between uses. It stays open, above the
// main window, while the user works there (an entry chosen there is where the next search
// starts); only Done hides it.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SearchDialog(Form1& form);

    // Places the dialog over the player and shows it in front, with the focus in the search field.
    void showOverPlayer();

    // Next (also Enter in the search field): selects the next match after the list's selection.
    void Command1_Click();
    // Done: hides the dialog.
    void Command2_Click();

    QLabel* Label1;
    QLineEdit* Text1;
    QRadioButton* Option1; // Artists
    QRadioButton* Option2; // Titles
    QPushButton* Command1;
    QPushButton* Command2;

private:
    // Searches list from the entry after its selection; title is the message's title.
    void searchList(QListWidget* list, const QString& title);

    Form1& form_;
};
