#include "ui/window/ListBox.h"

#include <QSignalBlocker>

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (selectionMode() == SingleSelection && command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    if (currentIndex().isValid()) {
        QListWidget::focusInEvent(event);
        return;
    }
    // The focus would make the first entry current and raise a change for it: take that back
    // without raising anything.
    const QSignalBlocker block(selectionModel());
    QListWidget::focusInEvent(event);
    if (currentIndex().isValid() && !selectionModel()->isSelected(currentIndex()))
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

int selectedRow(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->currentRow() : -1;
}

QStringList entryTexts(const QListWidget* list)
{
    QStringList texts;
    texts.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}
