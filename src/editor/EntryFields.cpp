#include "editor/EntryFields.h"

#include "app/Form1.h"
#include "app/TextCase.h"
#include "browser/ArtistTitleLists.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int EnterKey = 13;

// Whether a focus loss ends the work in a field: the focus went to another control. Another
// window becoming active, or a menu or popup opening, leaves the field as it is.
bool leavesTheField(const QEvent* event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool entryMatches(QStringView entry, QStringView upperText, qsizetype textLength, qsizetype trimmedLength)
{
    return trimmedLength <= trimBlanks(entry).size() && entry.size() >= textLength
           && equalsUpperCased(entry.first(textLength), upperText);
}

} // namespace

int typeAheadRow(const QListWidget* list, const QString& text, const QString& last)
{
    const int selected = list->currentRow();
    int from = 0;
    int to = -1;
    if (text.size() > last.size()) {
        from = qMax(selected, 0);
        to = list->count() - 1;
    } else {
        to = selected;
    }
    const QString upperText = upperCased(text);
    const qsizetype trimmedLength = trimBlanks(text).size();
    for (int row = from; row <= to; ++row) {
        if (entryMatches(list->item(row)->text(), upperText, text.size(), trimmedLength))
            return row;
    }
    return -1;
}

EntryFields::EntryFields(Form1& form) : form_(form)
{
    connect(form_.Text1, &QLineEdit::textChanged, this, &EntryFields::Text1_Change);
    connect(form_.Text2, &QLineEdit::textChanged, this, &EntryFields::Text2_Change);
    for (QLineEdit* field : {form_.Text1, form_.Text2, form_.Text4})
        field->installEventFilter(this);
}

void EntryFields::Text1_Change()
{
    const QString text = form_.Text1->text();
    const int row = typeAheadRow(form_.List1, text, LastArtistText);
    if (row >= 0) {
        form_.ArtistSetByTyping = true;
        // Typing on to the whole artist name lists its titles, also when it is already selected.
        form_.lists->selectArtistRow(row);
        form_.ArtistSetByTyping = false;
    }
    LastArtistText = text;
}

void EntryFields::Text2_Change()
{
    const QString text = form_.Text2->text();
    const int row = typeAheadRow(form_.List2, text, LastTitleText);
    if (row >= 0) {
        form_.TitleSetByTyping = true;
        form_.TitleSetByProgram = true;
        form_.lists->selectTitleRow(row);
        form_.TitleSetByTyping = false;
    }
    LastTitleText = text;
    form_.TitleSetByProgram = false;
}

void EntryFields::Text1_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        form_.Text2->setFocus();
}

void EntryFields::Text2_KeyPress(int keyAscii)
{
    // The Add button takes the focus only while it is shown and enabled (edit mode).
    QPushButton* add = form_.Command11;
    if (keyAscii == EnterKey && !add->isHidden() && add->isEnabled())
        add->setFocus();
}

void EntryFields::Text4_KeyPress(int keyAscii)
{
    if (keyAscii == EnterKey)
        form_.Text1->setFocus();
}

void EntryFields::Text1_LostFocus()
{
    capitalise(form_.Text1);
}

void EntryFields::Text2_LostFocus()
{
    capitalise(form_.Text2);
}

void EntryFields::Text4_LostFocus()
{
    capitalise(form_.Text4);
}

void EntryFields::capitalise(QLineEdit* field)
{
    QString text = field->text();
    if (text.isEmpty())
        return;
    const QChar upper = text[0].toUpper();
    if (upper == text[0])
        return;
    text[0] = upper;
    field->setText(text);
}

bool EntryFields::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == form_.Text1)
                Text1_KeyPress(EnterKey);
            else if (watched == form_.Text2)
                Text2_KeyPress(EnterKey);
            else if (watched == form_.Text4)
                Text4_KeyPress(EnterKey);
        }
    } else if (event->type() == QEvent::FocusOut && leavesTheField(event)) {
        if (watched == form_.Text1)
            Text1_LostFocus();
        else if (watched == form_.Text2)
            Text2_LostFocus();
        else if (watched == form_.Text4)
            Text4_LostFocus();
    }
    // No key is discarded: the field handles every event as usual.
    return false;
}
