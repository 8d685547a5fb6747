#pragma once

#include <QObject>
#include <QString>

class LibraryBrowser;
class MainWindow;
class QLineEdit;
class ListBox;

// The artist, title and genre fields: typing in the artist or title field selects the first
// list entry that begins with the text (letter case aside), Enter moves on to the next field,
// and a field the focus leaves for another control gets a capital first letter. The text of a
// row the user chose, put into its field, leaves that row chosen.
class EntryFields : public QObject
{
    Q_OBJECT
public:
    EntryFields(MainWindow& window, LibraryBrowser& browser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The text of the artist or title field changed: the type-ahead selects in its list.
    void artistTyped();
    void titleTyped();
    // Enter in a field.
    void enterPressedIn(QObject* field);
    static void capitalise(QLineEdit* field);

    MainWindow& window_;
    LibraryBrowser& browser_;
    // Each field's text at the end of its previous change handling: tells whether it has grown.
    QString lastArtistText_;
    QString lastTitleText_;
};

// The row the type-ahead selects in list for the field text `text` (`last` is the text before
// the change), or -1 when no entry matches. Grown text scans down from the selected row (from
// the top with none); other text scans from the top to the selected row (nothing with none).
// An entry matches when it begins with text, letter case aside, and the text without its
// outer blanks is no longer than the entry without its outer blanks.
int typeAheadRow(const ListBox* list, const QString& text, const QString& last);
