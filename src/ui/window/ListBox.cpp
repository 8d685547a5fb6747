#include "ui/window/ListBox.h"

#include <QPainter>
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
    if (this->model() == model)
        return;
    if (QAbstractItemModel* old = this->model()) {
        disconnect(old, &QAbstractItemModel::rowsRemoved, this, &ListBox::rowsRemoved);
        for (auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            disconnect(old, change, this, &ListBox::describePlaceholder);
        disconnect(old, &QAbstractItemModel::modelReset, this, &ListBox::describePlaceholder);
    }
    QListView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ListBox::rowsRemoved);
    // The placeholder is read only while it shows.
    for (auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, change, this, &ListBox::describePlaceholder);
    connect(model, &QAbstractItemModel::modelReset, this, &ListBox::describePlaceholder);
    describePlaceholder();
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
    // QListView tells the accessibility bus that the new current row has the focus, wherever the
    // focus is: a row the program moves to (the entry playing) would pull a screen reader away
    // from the control the user is on. The view's own handling (scrolling, repainting) runs
    // either way.
    if (hasFocus())
        QListView::currentChanged(current, previous);
    else
        QAbstractItemView::currentChanged(current, previous);
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

void ListBox::setPlaceholderText(const QString& text)
{
    if (text == placeholderText_)
        return;
    placeholderText_ = text;
    describePlaceholder();
    viewport()->update();
}

void ListBox::describePlaceholder()
{
    // The list's description is the placeholder's only while it shows one; otherwise it is left
    // to whoever else describes the list.
    if (!placeholderText_.isEmpty() && count() == 0) {
        if (accessibleDescription() != placeholderText_)
            setAccessibleDescription(placeholderText_);
        placeholderDescribed_ = true;
    } else if (std::exchange(placeholderDescribed_, false)) {
        setAccessibleDescription(QString());
    }
}

void ListBox::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (placeholderText_.isEmpty() || count() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int margin = fontMetrics().averageCharWidth();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, placeholderText_);
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
