#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QStringListModel>
#include <vector>

class Library;
class LibraryBrowser;
class MainWindow;
class MessageBox;
class WindowMode;

// Database > Check: lists the records whose file is missing or empty in the check panel,
// removes them on request, and writes the database anew when the panel is closed.
class DatabaseCheck : public QObject
{
    Q_OBJECT
public:
    DatabaseCheck(MainWindow& window, WindowMode& mode, Library& library, LibraryBrowser& browser,
                  MessageBox& messageBox);

    // Shows the panel and scans the records from the last to the first.
    void start();
    // Remove all: removes every listed record from the library (the file waits for Done).
    void removeAllMissing();
    // Done: hides the panel; after removals rebuilds the lists and rewrites the database.
    void finish();

private:
    void scan();
    // Shows the count-down at record n and the files found so far.
    void showProgress(int n);

    MainWindow& window_;
    WindowMode& mode_;
    Library& library_;
    LibraryBrowser& browser_;
    MessageBox& messageBox_;
    // The numbers of the listed records, in the order of the list.
    QList<int> missingRecords_;
    // The files of the listed records: what the missing list shows.
    QStringListModel missingFiles_;
    // Found since the last repaint, not yet listed.
    QStringList foundFiles_;
    // Records were removed and are not yet written.
    bool removedRecords_ = false;
};
