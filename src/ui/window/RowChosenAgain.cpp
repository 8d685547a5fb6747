#include "ui/window/RowChosenAgain.h"

#include <QListWidget>
#include <QMouseEvent>

RowChosenAgain::RowChosenAgain(QListWidget* list, On when, QObject* owner, std::function<void(int)> chosen)
    : QObject(owner), list_(list), chosen_(std::move(chosen))
{
    list->viewport()->installEventFilter(this);
    if (when == On::Press)
        connect(list, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) { handled(index.row()); });
    else
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { handled(list_->row(item)); });
}

bool RowChosenAgain::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QListWidgetItem* item = list_->itemAt(press->position().toPoint());
        armedRow_ = press->button() == Qt::LeftButton && item && item->isSelected() ? list_->row(item) : -1;
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
