#pragma once

#include "core/Library.h"

#include <QObject>
#include <QString>

class FileDialog;
class MessageBox;
class LibraryBrowser;
class MainWindow;

// Opening a database: File > Open Database, and the database named on the command line at
// start-up. The records go into the library and its lists, and the file stays open for adding.
class DatabaseOpening : public QObject
{
    Q_OBJECT
public:
    DatabaseOpening(MainWindow& window, Library& library, LibraryBrowser& browser, FileDialog& fileDialog,
                    MessageBox& messageBox);

    // File > Open Database: the chosen database replaces the open one.
    void openChosenDatabase();
    // The same with the database at path, chosen outside the window (handed over by a later start).
    void openDatabase(const QString& path);
    // Loads the database at path into the (empty) library behind the wait notice, with the
    // window shown. On success it is the open database; on any failure none is open, and the
    // complete records read stay.
    void openAtStartUp(const QString& path);

private:
    // The database at path replaces the open one, behind the wait notice shown already.
    void replaceDatabase(const QString& path);
    // Loads the database at path; tells the user of lines at its end that make no whole record.
    void loadAndReport(const QString& path);
    // Tells the user why the database did not open and how many records were loaded.
    void reportFailedLoad(const QString& path, const Library::LoadResult& result);

    MainWindow& window_;
    Library& library_;
    LibraryBrowser& browser_;
    FileDialog& fileDialog_;
    MessageBox& messageBox_;
};
