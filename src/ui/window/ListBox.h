#pragma once

#include <QListView>
#include <optional>

class QAbstractItemView;

// A list of single choices over a model, as the window's lists are: the artists, the titles, the
// playlist and the missing files.
//  - "Current" and "selected" go together: Ctrl+click never clears the selection, and moving the
//    keyboard focus into a list with no current row makes none current (a plain view makes the
//    first row current without selecting it, which would run the list's handling for a row
//    nobody chose).
//  - Taking rows out never chooses another row: when the current row goes, none is current
//    afterwards, and no change is reported for it.
//  - It reports a change of the current row and of the selection as signals of its own, which
//    QSignalBlocker on the list holds back when code changes the list without a user's choice.
//  - The accessibility bus hears a row take the focus only while the list has the keyboard focus;
//    a row chosen from code is announced as selected, not focused.
//  - While it has no rows it may show a line of text in their place (read as its description).
class ListBox : public QListView
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int count() const;
    int currentRow() const;
    // Makes row current and selected, as a click does; -1 leaves none current or selected.
    void setCurrentRow(int row);
    // What row shows.
    QString text(int row) const;
    // Where row is drawn, in the viewport.
    QRect rowRect(int row) const;

    void setModel(QAbstractItemModel* model) override;

    // What the list shows in place of rows while it has none; empty for nothing.
    void setPlaceholderText(const QString& text);
    const QString& placeholderText() const { return placeholderText_; }

signals:
    void currentRowChanged(int row);
    void rowSelectionChanged();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void rowsRemoved();
    void describePlaceholder();

    // While rows holding the chosen one are taken out: the signals' blocking state before.
    std::optional<bool> quietRemoval_;
    // Whether the current row is among them.
    bool currentGoes_ = false;
    QString placeholderText_;
    bool placeholderDescribed_ = false; // the description is the placeholder's
};

// The selected row of a single-selection list, or -1 when none is selected. A list's current row
// is not always selected (Tab makes a row current without selecting it), and handlers that act on
// "the selected entry" must not take one the user left.
int selectedRow(const ListBox* list);

// The texts of a view's rows, in order.
QStringList entryTexts(const QAbstractItemView* list);
