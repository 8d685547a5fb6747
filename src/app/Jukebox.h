#pragma once

#include <QDrag>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class AboutWindow;
class CdWizard;
class DatabaseCheck;
class DatabaseOpening;
class DropBox;
class ExternalDrops;
class FileDialog;
class FolderImport;
class Library;
class LibraryAddRequests;
class LibraryBrowser;
class LibraryDrag;
class MainWindow;
class MediaPlayer;
class MessageBox;
class PlayerControl;
class Playlist;
class PlaylistEditor;
class PlaylistFiles;
class PlaylistShuffle;
class RecordEditor;
class RemoteControl;
class RequestedFiles;
class SearchDialog;
class SeekAndVolume;
class Shell;
class TagReader;
class WindowMode;
class QTimer;

// What the program is wired to: the player and the desktop. Tests wire fakes.
struct Seams
{
    MediaPlayer& player;
    FileDialog& fileDialog;
    MessageBox& messageBox;
    Shell& shell;
    // Reads media files' tags (from several threads at once).
    const TagReader& tags;
    // Random numbers in [0, 1) for the shuffle.
    std::function<double()> random;
    // Runs a drag from the library lists to its end; empty for the platform's own drag loop.
    std::function<void(QDrag*)> dragLoop = {};
    // Where Help looks for its page when the current directory has none, in order.
    QStringList helpFolders = {};
};

// The whole program: builds the library, the main window and every feature on it, and wires
// them together. Features never call each other's handlers; what one does that another must
// follow travels through the connections made here, in the order the program needs.
class Jukebox : public QObject
{
    Q_OBJECT
public:
    explicit Jukebox(const Seams& seams);
    ~Jukebox() override;

    // Start-up: the player probe, placement, captions and the files the command line names (see
    // readCommandLine and RequestedFiles); then the first status tick. screenSize is the available
    // screen in pixels.
    void start(const QStringList& files, QSize screenSize);
    // One status tick: buttons follow the player and the fields, the status line and time
    // displays are brought up to date, a previous/next request is carried out, and the desktop's
    // media widgets hear what changed. Ticks come ten a second while media plays; otherwise one
    // comes soon after each change they show (statusChanged()), and none while nothing changes.
    void updateStatus();
    // Something the status tick shows or carries out changed: a tick comes at the event loop's
    // next turn, one for any number of changes.
    void statusChanged();

    MainWindow& window() const { return *window_; }
    Library& library() const { return *library_; }
    Playlist& playlist() const { return *playlist_; }
    WindowMode& mode() const { return *mode_; }
    LibraryBrowser& browser() const { return *browser_; }
    LibraryDrag& libraryDrag() const { return *libraryDrag_; }
    LibraryAddRequests& libraryAddRequests() const { return *libraryAddRequests_; }
    DatabaseOpening& databaseOpening() const { return *databaseOpening_; }
    SearchDialog& search() const { return *search_; }
    RecordEditor& editor() const { return *editor_; }
    DatabaseCheck& check() const { return *check_; }
    PlaylistEditor& playlistEditor() const { return *playlistEditor_; }
    PlaylistFiles& playlistFiles() const { return *playlistFiles_; }
    PlaylistShuffle& shuffle() const { return *shuffle_; }
    ExternalDrops& drops() const { return *drops_; }
    DropBox& dropBox() const { return *dropBox_; }
    PlayerControl& playerControl() const { return *playerControl_; }
    SeekAndVolume& seekAndVolume() const { return *seekAndVolume_; }
    CdWizard& cdWizard() const { return *cdWizard_; }
    FolderImport& folderImport() const { return *folderImport_; }
    AboutWindow& about() const { return *about_; }
    RemoteControl& remoteControl() const { return *remoteControl_; }
    // Files handed over by a later start of the program arrive here.
    RequestedFiles& requestedFiles() const { return *requestedFiles_; }

protected:
    // A close of the main window first completes an edit in progress; while changes the
    // database file does not have are pending, the user may save them, discard them, or keep
    // the window open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wire();
    // Connects every change the status tick shows to statusChanged().
    void followStatusChanges();
    // Keeps the ticks coming ten a second while the player plays, and stops them otherwise.
    void tickWhilePlaying();
    // Whether the window may close: an edit in progress is completed, and pending changes are
    // saved or discarded as the user chooses.
    bool mayClose();
    // The window is closing: the database is flushed.
    void shutDown();
    // The desktop asks to see the window: it comes up, in front, with the focus.
    void raiseWindow();

    Seams seams_;
    // Declared before the window: the features on the window refer to it to their end.
    std::unique_ptr<Library> library_;
    std::unique_ptr<Playlist> playlist_;
    std::unique_ptr<MainWindow> window_;
    // Children of the window, which deletes them.
    WindowMode* mode_;
    LibraryBrowser* browser_;
    LibraryDrag* libraryDrag_;
    LibraryAddRequests* libraryAddRequests_;
    DatabaseOpening* databaseOpening_;
    SearchDialog* search_;
    RecordEditor* editor_;
    DatabaseCheck* check_;
    PlaylistEditor* playlistEditor_;
    PlaylistFiles* playlistFiles_;
    PlaylistShuffle* shuffle_;
    ExternalDrops* drops_;
    DropBox* dropBox_;
    PlayerControl* playerControl_;
    SeekAndVolume* seekAndVolume_;
    CdWizard* cdWizard_;
    FolderImport* folderImport_;
    AboutWindow* about_;
    RemoteControl* remoteControl_;
    RequestedFiles* requestedFiles_;
    // Fires once at the event loop's next turn after a change: see statusChanged().
    QTimer* statusDue_ = nullptr;
};
