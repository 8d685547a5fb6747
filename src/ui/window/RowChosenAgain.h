#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;

// A press or click on the row that is already selected changes no selection, so the list reports
// no change; yet the user chose that row again. This calls back with the row when the list has
// handled the press (On::Press) or the whole click (On::Click) of the left button on it.
class RowChosenAgain : public QObject
{
public:
    enum class On { Press, Click };

    RowChosenAgain(QAbstractItemView* list, On when, QObject* owner, std::function<void(int row)> chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handled(int row);

    QAbstractItemView* list_;
    std::function<void(int)> chosen_;
    // The selected row a left press landed on, until the list has handled it; -1 for none.
    int armedRow_ = -1;
};
