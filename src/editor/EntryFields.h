#pragma once

#include <QObject>
#include <QString>

class Form1;
class QLineEdit;
class QListWidget;

// The artist, title and genre fields: typing in the artist or title field selects the first
// list entry that begins with the text (letter case aside), Enter moves on to the next field,
// and a field the focus leaves for another control gets a capital first letter.
class EntryFields : public QObject
{
    Q_OBJECT
public:
    explicit EntryFields(Form1& form);

    void Text1_Change();
    void Text2_Change();
    void Text1_KeyPress(int keyAscii);
    void Text2_KeyPress(int keyAscii);
    void Text4_KeyPress(int keyAscii);
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text4_LostFocus();

    // Each field's text at the end of its previous change handling: tells whether it has grown.
    QString LastArtistText;
    QString LastTitleText;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void capitalise(QLineEdit* field);

    Form1& form_;
};

// The row the type-ahead selects in list for the field text `text` (`last` is the text before
// the change), or -1 when no entry matches. Grown text scans down from the selected row (from
// the top with none); other text scans from the top to the selected row (nothing with none).
// An entry matches when it begins with text, letter case aside, and the text without its
// outer blanks is no longer than the entry without its outer blanks.
int typeAheadRow(const QListWidget* list, const QString& text, const QString& last);
