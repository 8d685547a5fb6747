#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

class AddUrlWindow;
class FileDialog;
class Library;
class LibraryBrowser;
class MainWindow;
class MessageBox;
class Playlist;
struct PlaylistEntry;
enum class LibraryDragSource;

// Editing the playlist: adding library records (All to Playlist, drags from the library lists),
// files, M3U files and URLs; removing an entry; clearing the list; the right-click menu. Library
// entries name their records by number, and follow them when records are removed. Entries a
// full playlist cannot take are counted to the user.
//
// Drops on the playlist arrive through an event filter on the playlist's viewport that takes
// only the library lists' drags; drops of other data pass on untouched to the other filters there.
class PlaylistEditor : public QObject
{
    Q_OBJECT
public:
    PlaylistEditor(MainWindow& window, Playlist& playlist, const Library& library, const LibraryBrowser& browser,
                   FileDialog& fileDialog, MessageBox& messageBox);

    // "Add file(s)": the chosen files in the dialog's order, each as its path, or every line of
    // it for an M3U file.
    void addFiles();
    // "Add folder...": every media file under a chosen folder, sub-folders included, in path
    // order, as plain entries.
    void addFolder();
    // "Add url": shows the Add-URL window over the player.
    void showAddUrlWindow();
    // "Remove": removes the selected entry.
    void removeSelected();
    // "Clear playlist": empties the playlist.
    void clear();
    // "All to Playlist": every record that passes the genre filter.
    void addAllOfGenre();
    // A drag from a library list was dropped on the playlist.
    void dropOntoPlaylist(LibraryDragSource source);

    // Library entries of records about to be removed become marked entries of their files, so
    // they keep playing what they played; entries of later records take their new numbers.
    void followRecordRemoval(const QList<int>& numbers);
    // Every library entry becomes a marked entry of its file: the library is about to be
    // replaced, and its numbers would name records of another database.
    void detachFromLibrary();

    // The Add-URL window, made on first use.
    AddUrlWindow* addUrlWindow() const { return addUrlWindow_; }

signals:
    // Library entries of these records were appended, in order.
    void recordsAppended(const QList<int>& records);
    // This entry is about to be removed.
    void entryRemoving(const PlaylistEntry& entry);
    // The playlist was emptied.
    void cleared();
    // A title dragged from the library was dropped: the entry counter is due.
    void titleDropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Appends the library entries of the records, in order, while the playlist has room.
    void appendRecords(const QList<int>& records);
    // Appends texts from outside the library; tells the user of any the full playlist left out,
    // counting with them alreadyLeftOut (lines of a file its reader did not keep).
    void appendTexts(const QStringList& texts, qsizetype alreadyLeftOut = 0);

    MainWindow& window_;
    Playlist& playlist_;
    const Library& library_;
    const LibraryBrowser& browser_;
    FileDialog& fileDialog_;
    MessageBox& messageBox_;
    AddUrlWindow* addUrlWindow_ = nullptr;
};
