#pragma once

#include <QDialog>

class MainWindow;
class QLabel;
class QLineEdit;
class QPushButton;

// The Add-URL window. It never blocks the main window; its text stays between uses, and each
// "Add to Playlist" asks for the text to be appended as one entry, even when it is empty.
class AddUrlWindow : public QDialog
{
    Q_OBJECT
public:
    explicit AddUrlWindow(MainWindow& window);

    // Places the window over the player, shows it in front and gives it the focus.
    void showOverPlayer();

    QLabel* const caption;
    QLineEdit* const urlField;
    QPushButton* const addButton;
    QPushButton* const doneButton;

signals:
    // "Add to Playlist": the text of the URL field is to be appended.
    void addRequested(const QString& text);

private:
    MainWindow& window_;
};
