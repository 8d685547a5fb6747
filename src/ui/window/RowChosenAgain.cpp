#include "ui/window/RowChosenAgain.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMouseEvent>

RowChosenAgain::RowChosenAgain(QAbstractItemView* list, On when, QObject* owner, std::function<void(int)> chosen)
    : QObject(owner), list_(list), chosen_(std::move(chosen))
{
    list->viewport()->installEventFilter(this);
    if (when == On::Press)
        connect(list, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) { handled(index.row()); });
    else
        connect(list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) { handled(index.row()); });
}

bool RowChosenAgain::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QModelIndex at = list_->indexAt(press->position().toPoint());
        const bool selected = at.isValid() && list_->selectionModel()->isSelected(at);
        armedRow_ = press->button() == Qt::LeftButton && selected ? at.row() : -1;
    }
    return false;
}

void RowChosenAgain::handled(int row)
{
    if (armedRow_ < 0 || row != armedRow_)
        return;
    armedRow_ = -1;
    chosen_(row);
}
