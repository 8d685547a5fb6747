#include "ui/window/SortedLists.h"

#include "core/TextOrder.h"
#include "ui/window/ListBox.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

void addSorted(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    combo->insertItem(sortedInsertRow(combo->count(), text, [combo](int i) { return combo->itemText(i); }),
                      text);
}

void addAllSorted(ListBox* list, LibraryListModel& model, QList<LibraryListModel::Row> rows)
{
    if (rows.isEmpty())
        return;
    const QSignalBlocker block(list);
    const int current = list->currentRow();
    const QString currentText = current >= 0 ? model.text(current) : QString();
    model.addAllSorted(std::move(rows));
    if (current < 0)
        return;
    for (int row = 0; row < model.count(); ++row) {
        if (model.text(row) == currentText) {
            list->setCurrentRow(row);
            return;
        }
    }
}

void addAllSorted(QComboBox* combo, QStringList texts)
{
    const QSignalBlocker block(combo);
    const int current = combo->currentIndex();
    QStringList all = texts;
    for (int i = 0; i < combo->count(); ++i)
        all.append(combo->itemText(i));
    // Existing entries were added first: they keep their place before equal new ones.
    std::rotate(all.begin(), all.begin() + texts.size(), all.end());
    sortInListOrder(all);
    const QString currentText = current >= 0 ? combo->itemText(current) : QString();
    combo->clear();
    combo->addItems(all);
    combo->setCurrentIndex(current >= 0 ? int(all.indexOf(currentText)) : -1);
}

void emptyList(QComboBox* combo)
{
    const QSignalBlocker block(combo);
    combo->clear();
}
