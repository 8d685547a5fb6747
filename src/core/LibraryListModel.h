#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <vector>

class RecordRemoval;

// The model of the artist or the title list: rows in list order (core/TextOrder), each showing
// a field of the library. A row keeps the field's text as the record holds it (the same string,
// shared, not a copy) and makes what it shows when asked:
//  - an artist row shows the artist, padded to the artist width when it was listed from a
//    loaded database, as typed when it was listed from an added record;
//  - a title row shows the trimmed title followed by its record's hidden code.
class LibraryListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    struct Row
    {
        QString text;
        int record = 0;      // title rows: the record the row names
        bool padded = false; // artist rows: shown at the artist width
    };
    static Row artistRow(const QString& artist, bool padded) { return {artist, 0, padded}; }
    static Row titleRow(const QString& title, int record) { return {title, record, false}; }

    using QAbstractListModel::QAbstractListModel;

    int count() const { return int(rows_.size()); }
    // What row shows.
    QString text(int row) const;
    // The record a title row names (0 for an artist row).
    int recordAt(int row) const { return rows_[size_t(row)].record; }

    // Files a row at its place: after every row that does not order after it. Returns its row.
    int addSorted(const Row& row);
    // Files many rows: the list ends as if they had been added one by one after the rows it
    // holds. Views read every row afresh.
    void addAllSorted(QList<Row> rows);
    void remove(int row);
    void clear();
    // Title rows of removed records go; rows of later records take their new numbers.
    void followRemoval(const RecordRemoval& removal);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // What orders the row: all that shows of it but the record code.
    QString visibleText(const Row& row) const;

    std::vector<Row> rows_;
};
