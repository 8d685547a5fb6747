#include "core/LibraryListModel.h"

#include "core/LibraryTable.h"
#include "core/RecordCode.h"
#include "core/RecordRenumbering.h"
#include "core/TextOrder.h"

QString LibraryListModel::visibleText(const Row& row) const
{
    if (row.record != 0)
        return trimBlanks(row.text).toString();
    return row.padded ? fixedWidth(row.text, ArtistWidth) : row.text;
}

QString LibraryListModel::text(int row) const
{
    const Row& r = rows_[size_t(row)];
    return r.record != 0 ? codedEntry(trimBlanks(r.text), r.record) : visibleText(r);
}

int LibraryListModel::addSorted(const Row& row)
{
    const int at = sortedInsertRow(count(), visibleText(row), [this](int i) { return visibleText(rows_[size_t(i)]); });
    beginInsertRows({}, at, at);
    rows_.insert(rows_.begin() + at, row);
    endInsertRows();
    return at;
}

void LibraryListModel::addAllSorted(QList<Row> rows)
{
    if (rows.isEmpty())
        return;
    // The rows listed come first, so that they stay before new rows equal to them.
    const size_t listed = rows_.size();
    const size_t total = listed + size_t(rows.size());
    const auto rowAt = [&](size_t i) -> Row& { return i < listed ? rows_[i] : rows[qsizetype(i - listed)]; };
    qsizetype characters = 0; // of the keys, when the texts are ASCII
    for (size_t i = 0; i < total; ++i)
        characters += rowAt(i).padded ? ArtistWidth : rowAt(i).text.size();
    ListOrdering ordering;
    ordering.reserve(qsizetype(total), characters);
    for (size_t i = 0; i < total; ++i) {
        const Row& row = rowAt(i);
        // Each row's characters lie elsewhere in memory: those of a row further on are fetched meanwhile.
        if (i + 8 < total) {
            const QString& ahead = rowAt(i + 8).text;
            __builtin_prefetch(ahead.constData());
            __builtin_prefetch(ahead.constData() + ahead.size());
        }
        if (row.record != 0)
            ordering.add(trimBlanks(row.text));
        else if (row.padded)
            ordering.addPadded(row.text, ArtistWidth);
        else
            ordering.add(row.text);
    }
    const std::vector<int> order = ordering.order();
    std::vector<Row> sorted;
    sorted.reserve(total);
    for (int i : order)
        sorted.push_back(std::move(rowAt(size_t(i))));
    beginResetModel();
    rows_ = std::move(sorted);
    endResetModel();
}

void LibraryListModel::remove(int row)
{
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

void LibraryListModel::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void LibraryListModel::followRemoval(const RecordRemoval& removal)
{
    const auto goes = [&](int i) { return rows_[size_t(i)].record != 0 && removal.removes(rows_[size_t(i)].record); };
    // From the end, each run of neighbouring rows in one step.
    for (int last = count() - 1; last >= 0; --last) {
        if (!goes(last))
            continue;
        int first = last;
        while (first > 0 && goes(first - 1))
            --first;
        beginRemoveRows({}, first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        endRemoveRows();
        last = first;
    }
    bool renumbered = false;
    for (Row& row : rows_) {
        if (row.record == 0)
            continue;
        const int number = removal.newNumber(row.record);
        renumbered = renumbered || number != row.record;
        row.record = number;
    }
    if (renumbered && count() > 0)
        emit dataChanged(index(0), index(count() - 1));
}

int LibraryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant LibraryListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count())
        return {};
    return text(index.row());
}
