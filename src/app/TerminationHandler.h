#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C in the terminal) into a normal close of
// the main window, so that an edit in progress is completed and the database file is flushed.
class TerminationHandler : public QObject
{
    Q_OBJECT
public:
    explicit TerminationHandler(QObject* parent = nullptr);
    ~TerminationHandler() override;

signals:
    void terminationRequested();

private:
    static void onSignal(int);
    QSocketNotifier* notifier_ = nullptr;
};
