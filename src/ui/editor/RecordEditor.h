#pragma once

#include <QObject>
#include <QString>
#include <QStringView>

class FileDialog;
class Library;
class LibraryBrowser;
class MainWindow;
class MessageBox;
class Playlist;
class TagReader;
class WindowMode;
struct PlaylistEntry;

// Editing records: the user tags the playlist's files one after another with an artist, title
// and genre and adds them as records, removes records, and leaves with Done.
class RecordEditor : public QObject
{
    Q_OBJECT
public:
    RecordEditor(MainWindow& window, WindowMode& mode, Library& library, Playlist& playlist,
                 LibraryBrowser& browser, FileDialog& fileDialog, MessageBox& messageBox, const TagReader& tags);

    // Database > New: creates an empty database, makes it the open one and starts editing.
    void createDatabase();
    // Database > Edit: starts editing.
    void startEditing();
    // Add: stores the fields as a new record for the selected playlist entry, appends it to
    // the database file and asks for the first playlist entry to be opened.
    void addRecord();
    // Remove: the chosen title's record, or every record of the chosen artist.
    void removeChosen();
    // Done: stops editing and, if the file is behind the table, writes the database anew.
    void finishEditing();

    // While editing, a playlist entry the user chose: the title field empties, the tags of the
    // local media file it names fill the fields they name, and when the database already names
    // the file, its record shows in the artist and title lists, with a warning.
    void takeUpChosenEntry(const PlaylistEntry& entry);

    // The status tick: Remove acts on exactly one of an artist or a title; Add needs every field.
    void updateRemoveButton();
    void updateAddButton();
    // An artist or a title was chosen while editing: Remove has something to act on.
    void allowRemove();

signals:
    // The player should open playlist entry `position` (1-based), as a click on it would.
    void openEntryRequested(int position);

private:
    // The genre, artist and title tags of the local media file the entry names fill their
    // fields, cut to the fields' widths; a field the tags do not name keeps its text.
    void fillFieldsFromTags(const PlaylistEntry& entry);
    // An entry that names a file of the database shows its record in the artist and title lists,
    // with a warning.
    void warnIfAlreadyListed(const PlaylistEntry& entry);
    // Calls Remove once for each title of the chosen artist.
    void removeArtist();
    // Removes all but the last of the chosen artist's titles in one removal when that ends as
    // removing them one by one would; how many it removed (0 when it did not).
    int removeLeadingTitlesAtOnce();
    // Why Add cannot run now; empty when it can.
    QString addRefusal() const;
    // Stores the fields and the selected playlist entry's file as a new record, takes the entry
    // out of the playlist and lists the record; returns its number.
    int storeRecordOfSelectedEntry();
    // Appends record n to the database file; a failure is reported and left for Done.
    void appendToFile(int n);
    // The first record whose file is the one `entry` opens, with its artist chosen; 0 when
    // there is none or its artist is not listed.
    int chooseArtistOfFile(const PlaylistEntry& entry);
    // Chooses the title row that carries record r; whether one was found.
    bool chooseTitleOfRecord(int r);

    MainWindow& window_;
    WindowMode& mode_;
    Library& library_;
    Playlist& playlist_;
    LibraryBrowser& browser_;
    FileDialog& fileDialog_;
    MessageBox& messageBox_;
    const TagReader& tags_;
};
