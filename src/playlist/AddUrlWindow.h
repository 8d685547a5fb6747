#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Form1;
class PlaylistEditing;

// Form4: the Add-URL window. It never blocks the main window; its text stays between uses, and
// each "Add to Playlist" appends the text as one entry, even when it is empty.
class AddUrlWindow : public QDialog
{
    Q_OBJECT
public:
    AddUrlWindow(Form1& form, PlaylistEditing& editing);

    // Places the window over the player, shows it in front and gives it the focus.
    void showOverPlayer();

    // "Add to Playlist": appends the text of Text1.
    void Command2_Click();
    // "Done": hides the window.
    void Command1_Click();

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command2;
    QPushButton* Command1;

private:
    Form1& form_;
    PlaylistEditing& editing_;
};
