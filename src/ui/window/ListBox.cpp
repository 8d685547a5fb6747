#include "ui/window/ListBox.h"

#include <QSignalBlocker>
#include <utility>

ListBox::ListBox(QWidget* parent) : QListView(parent)
{
    setSelectionMode(SingleSelection);
    // Rows are chosen, never edited in place.
    setEditTriggers(NoEditTriggers);
}

void ListBox::setModel(QAbstractItemModel* model)
{
    if (this->model())
        disconnect(this->model(), &QAbstractItemModel::rowsRemoved, this, nullptr);
    QListView::setModel(model);
    if (model)
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ListBox::rowsRemoved);
}

int ListBox::count() const
{
    return model() ? model()->rowCount() : 0;
}

int ListBox::currentRow() const
{
    return currentIndex().row();
}

void ListBox::setCurrentRow(int row)
{
    if (!selectionModel())
        return;
    const QModelIndex index = model()->index(row, 0);
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::SelectCurrent;
    if (selectionMode() == SingleSelection)
        command = QItemSelectionModel::ClearAndSelect;
    else if (selectionMode() == NoSelection)
        command = QItemSelectionModel::NoUpdate;
    selectionModel()->setCurrentIndex(index, command);
}

QString ListBox::text(int row) const
{
    return model() ? model()->index(row, 0).data().toString() : QString();
}

QRect ListBox::rowRect(int row) const
{
    return model() ? visualRect(model()->index(row, 0)) : QRect();
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (selectionMode() == SingleSelection && command.testFlag(QItemSelectionModel::Deselect))
        return QItemSelectionModel::NoUpdate;
    return command;
}

void ListBox::focusInEvent(QFocusEvent* event)
{
    if (currentIndex().isValid()) {
        QListView::focusInEvent(event);
        return;
    }
    // The focus would make the first row current and raise a change for it: take that back
    // without raising anything.
    const QSignalBlocker block(selectionModel());
    QListView::focusInEvent(event);
    if (currentIndex().isValid() && !selectionModel()->isSelected(currentIndex()))
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    emit currentRowChanged(current.row());
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QListView::selectionChanged(selected, deselected);
    emit rowSelectionChanged();
}

void ListBox::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // Decided before the view's own handling, which makes a neighbour of a row that goes current.
    const int current = currentRow();
    currentGoes_ = current >= start && current <= end;
    bool chosenGoes = currentGoes_;
    for (const QModelIndex& selected : selectionModel()->selectedIndexes())
        chosenGoes = chosenGoes || (selected.row() >= start && selected.row() <= end);
    if (chosenGoes && !quietRemoval_)
        quietRemoval_ = blockSignals(true);
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

void ListBox::rowsRemoved()
{
    if (!quietRemoval_)
        return;
    if (std::exchange(currentGoes_, false))
        setCurrentRow(-1);
    blockSignals(*std::exchange(quietRemoval_, std::nullopt));
}

int selectedRow(const ListBox* list)
{
    const QModelIndex current = list->currentIndex();
    return current.isValid() && list->selectionModel()->isSelected(current) ? current.row() : -1;
}

QStringList entryTexts(const QAbstractItemView* list)
{
    QStringList texts;
    const QAbstractItemModel* model = list->model();
    const int count = model ? model->rowCount() : 0;
    texts.reserve(count);
    for (int i = 0; i < count; ++i)
        texts.append(model->index(i, 0).data().toString());
    return texts;
}
