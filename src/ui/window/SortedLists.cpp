#include "ui/window/SortedLists.h"

#include "core/TextOrder.h"
#include "ui/window/ListBox.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

void addSorted(QListWidget* list, const QString& text)
{
    const QSignalBlocker block(list);
    list->insertItem(sortedInsertRow(list->count(), text, [list](int i) { return list->item(i)->text(); }),
                     text);
}

void addSorted(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    combo->insertItem(sortedInsertRow(combo->count(), text, [combo](int i) { return combo->itemText(i); }),
                      text);
}

void addAllSorted(QListWidget* list, QStringList texts)
{
    if (texts.isEmpty())
        return;
    const QSignalBlocker block(list);
    if (list->count() == 0) {
        sortInListOrder(texts);
        list->addItems(texts);
        return;
    }
    const int current = list->currentRow();
    const QString currentText = current >= 0 ? list->item(current)->text() : QString();
    QStringList all = entryTexts(list) + texts;
    sortInListOrder(all);
    list->clear();
    list->addItems(all);
    if (current >= 0)
        list->setCurrentRow(int(all.indexOf(currentText)));
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

void emptyList(QListWidget* list)
{
    const QSignalBlocker block(list);
    list->clear();
}

void removeEntry(QListWidget* list, int row)
{
    const QSignalBlocker block(list);
    const bool wasCurrent = list->currentRow() == row;
    delete list->takeItem(row);
    if (wasCurrent)
        list->setCurrentRow(-1);
}

void emptyList(QComboBox* combo)
{
    const QSignalBlocker block(combo);
    combo->clear();
}
