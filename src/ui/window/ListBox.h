#pragma once

#include <QListWidget>

// A list of single choices that keeps "current" and "selected" together, as the lists of the
// original desktop program did: Ctrl+click never clears the selection, and moving the keyboard
// focus into a list with no current entry makes none current (a plain QListWidget makes the first
// entry current without selecting it, which would run the list's handling for an entry nobody chose).
class ListBox : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void focusInEvent(QFocusEvent* event) override;
};

// The selected row of a single-selection list, or -1 when none is selected. A list's current row
// is not always selected (Ctrl+click clears the selection, Tab makes a row current without
// selecting it), and handlers that act on "the selected entry" must not take one the user left.
int selectedRow(const QListWidget* list);

// The texts of a list's entries, in order.
QStringList entryTexts(const QListWidget* list);
