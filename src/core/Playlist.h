#pragma once

#include "core/PlaylistEntry.h"

#include <QAbstractListModel>
#include <QList>

// The playlist: its entries in order, each keeping the kind it had when it entered, and the
// position of the entry opened last. It is the model the playlist control shows: every change of
// the entries goes through it, and views hear of it as of any model's change.
class Playlist : public QAbstractListModel
{
    Q_OBJECT
public:
    // data() gives an entry's text as its display and its kind (an EntryKind, as int) here.
    static constexpr int KindRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;

    int count() const { return int(entries_.size()); }
    // row in 0..count()-1.
    const PlaylistEntry& entry(int row) const { return entries_[row]; }
    const QList<PlaylistEntry>& entries() const { return entries_; }

    // Appends entries at the end while there is room (the playlist holds at most
    // PlaylistCapacity); returns how many went in.
    int append(QList<PlaylistEntry> entries);
    // Puts entry in the place of the one at row.
    void replace(int row, const PlaylistEntry& entry);
    void remove(int row);
    void clear();
    // Puts entries in the place of all entries. Views read every row afresh, as after clear().
    void replaceAll(QList<PlaylistEntry> entries);

    // The playlist entry opened last, 1-based; 0 for none. It is where the playing goes on from,
    // and need not name an entry that is still there.
    int position() const { return position_; }
    void setPosition(int position) { position_ = position; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<PlaylistEntry> entries_;
    int position_ = 0;
};
