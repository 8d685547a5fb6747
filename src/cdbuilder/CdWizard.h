#pragma once

#include "library/LibraryTable.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class Form1;
class QAction;

// The Create CD wizard: the user drags library entries onto the emptied playlist (the status
// line shows their count and size), chooses a database name in an empty directory, and the
// media of every entry are copied there with a portable database and a readme.
class CdWizard
{
public:
    // Connects the Create menu item and the wizard's buttons.
    explicit CdWizard(Form1& form);

    // Create CD > Create: empties the playlist and shows the instructions, Next and Cancel.
    void CreateCD_Click();
    // Next: asks for the database name in an empty directory and writes the set.
    void Command15_Click();
    // Cancel, or Done after the copy: closes the wizard.
    void Command16_Click();

private:
    // The menu items closed while the wizard is open, in the order they are switched.
    QList<QAction*> menuItems() const;
    void setMenuItemsEnabled(bool enabled);
    // Asks until the chosen directory holds no files; the chosen name, or nothing on a cancel.
    std::optional<QString> askForDatabaseName();
    // Counts the files (not folders, not hidden ones) of dir into File1.
    int countFiles(const QString& dir);
    // The records of the playlist's entries, in order; nothing when an entry is not one.
    std::optional<QList<LibraryRecord>> playlistRecords() const;
    // Writes the set, showing the progress after each file.
    bool copyPlaylist(const QString& databaseName);
    void showProgress(int filesToCopy);
    void failAndClose();

    Form1& form_;
    // Receiver of the wizard's connections, so that they end with this part.
    QObject connections_;
};
