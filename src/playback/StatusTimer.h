#pragma once

#include <QObject>

class Form1;

// Timer1's tick, ten times a second: the play and pause buttons follow the player's state,
// the record editor's buttons their conditions, the status line and the time displays are
// kept current, and a previous/next request of the transport buttons is carried out.
class StatusTimer
{
public:
    // Connects to Timer1, which the window starts at the end of its start-up.
    explicit StatusTimer(Form1& form);

    void Timer1_Timer();

    // The whole second of play position shown last.
    qint32 LastShownSecond = 0;

private:
    void followPlayState();
    void updateRemoveButton();
    void showStatusLine();
    void carryOutOpenRequest();
    void updateAddButton();
    void showTimes();

    Form1& form_;
    // Receiver of the tick's connection, so that it ends with this part and not with the window.
    QObject connections_;
};
