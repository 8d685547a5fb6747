#include "ui/browser/EntryFields.h"

#include "core/LibraryTable.h"
#include "core/TextCase.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

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

int typeAheadRow(const ListBox* list, const QString& text, const QString& last)
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
        if (entryMatches(list->text(row), upperText, text.size(), trimmedLength))
            return row;
    }
    return -1;
}

EntryFields::EntryFields(MainWindow& window, LibraryBrowser& browser)
    : QObject(&window), window_(window), browser_(browser)
{
    connect(window_.artistField, &QLineEdit::textChanged, this, &EntryFields::artistTyped);
    connect(window_.titleField, &QLineEdit::textChanged, this, &EntryFields::titleTyped);
    for (QLineEdit* field : {window_.artistField, window_.titleField, window_.genreField})
        field->installEventFilter(this);
}

void EntryFields::artistTyped()
{
    // The text of a row just chosen leaves that row chosen; any other text is looked up.
    const QString text = window_.artistField->text();
    if (!browser_.isShowingChosenRowInField()) {
        if (const int row = typeAheadRow(window_.artistList, text, lastArtistText_); row >= 0)
            browser_.selectArtistByTyping(row);
    }
    lastArtistText_ = text;
}

void EntryFields::titleTyped()
{
    const QString text = window_.titleField->text();
    if (!browser_.isShowingChosenRowInField()) {
        if (const int row = typeAheadRow(window_.titleList, text, lastTitleText_); row >= 0)
            browser_.selectTitleByTyping(row);
    }
    lastTitleText_ = text;
}

void EntryFields::enterPressedIn(QObject* field)
{
    if (field == window_.genreField) {
        window_.artistField->setFocus();
    } else if (field == window_.artistField) {
        window_.titleField->setFocus();
    } else if (field == window_.titleField) {
        // The Add button takes the focus only while it is shown and enabled (records are edited).
        QPushButton* add = window_.addRecordButton;
        if (!add->isHidden() && add->isEnabled())
            add->setFocus();
    }
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
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            enterPressedIn(watched);
    } else if (event->type() == QEvent::FocusOut && leavesTheField(event)) {
        capitalise(static_cast<QLineEdit*>(watched));
    }
    // No key is discarded: the field handles every event as usual.
    return false;
}
