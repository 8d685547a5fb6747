#include "core/Playlist.h"

int Playlist::append(QList<PlaylistEntry> entries)
{
    const int room = qMax(0, PlaylistCapacity - count());
    if (entries.size() > room)
        entries.resize(room);
    const int appended = int(entries.size());
    if (appended == 0)
        return 0;
    beginInsertRows({}, count(), count() + appended - 1);
    entries_.append(std::move(entries));
    endInsertRows();
    return appended;
}

void Playlist::replace(int row, const PlaylistEntry& entry)
{
    entries_[row] = entry;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed);
}

void Playlist::remove(int row)
{
    beginRemoveRows({}, row, row);
    entries_.removeAt(row);
    endRemoveRows();
}

void Playlist::clear()
{
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void Playlist::replaceAll(QList<PlaylistEntry> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int Playlist::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant Playlist::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const PlaylistEntry& e = entries_[index.row()];
    if (role == Qt::DisplayRole)
        return e.text;
    if (role == KindRole)
        return int(e.kind);
    return {};
}
