#pragma once

#include <QObject>

class Form1;
class QAction;
struct LibraryRecord;

// Edit mode of the main window: the user tags the playlist's files one after another with an
// artist, title and genre and adds them as records, removes records, and leaves with Done.
// Edit mode is active exactly while the Done button (Command9) is visible.
class RecordEditor
{
public:
    explicit RecordEditor(Form1& form);

    // Database > New: creates an empty database, makes it the open one and enters edit mode.
    void NewVexolin_Click();
    // Database > Edit: enters edit mode.
    void EditVexolin_Click();
    // Add: stores the fields as a new record for the selected playlist entry, appends it to
    // the database file and opens the next playlist entry.
    void Command11_Click();
    // Remove: the selected title's record, or every record of the selected artist.
    void Command10_Click();
    // Done: leaves edit mode and, if records were removed, writes the database anew.
    void Command9_Click();

private:
    // Calls Remove once for each title of the selected artist.
    void RemoveArtist();
    // Why Add cannot run now; empty when it can.
    QString addRefusal() const;
    // Stores the fields and the selected playlist entry's text as a new record, takes the entry
    // out of the playlist and lists the record; returns its number.
    int storeRecordOfSelectedEntry();
    // Appends the record to the database file; a failure is reported and left for Done.
    void appendToFile(const LibraryRecord& record);
    // Selects the artist list's entry of artist (trimmed, exact); its handling refills the titles.
    void selectArtist(QStringView artist);
    void removeArtistEntryIfUnused(const QString& paddedArtist);
    // The menu items that would disturb edit mode.
    QList<QAction*> blockedMenuItems() const;

    Form1& form_;
    QObject connections_;
};
