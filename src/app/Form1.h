#pragma once

#include "app/Platform.h"
#include "library/DatabaseFile.h"
#include "library/LibraryTable.h"

#include <QMainWindow>
#include <QPixmap>
#include <QRandomGenerator>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class QWidget;
class MediaPlayer;
class AboutWindow;
class DatabaseLoader;
class ArtistTitleLists;
class EntryCounter;
class PlaylistEditing;
class PlayerControl;
class StatusTimer;
class PlaylistFiles;
class Shuffle;
class ExternalDrops;
class DropBoxPart;
class RecordEditor;
class EntryFields;
class SearchPart;
class MissingFilesCheck;
class CdWizard;

// What the main window is wired to: the player and the desktop seams.
struct Platform
{
    MediaPlayer* player = nullptr;
    FileDialog* fileDialog = nullptr;
    MessageBox* messageBox = nullptr;
    Shell* shell = nullptr;
};

// The main window. It owns every control, the library, the open database and the window-level
// variables that the parts share; each part (loader, lists, player control, …) implements its
// handlers on top of it.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(const Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: the player probe, placement, captions, variables and, when the command line
    // names a database, its load. `screenSize` is the available screen in pixels.
    void Form_Load(const QString& commandLine, QSize screenSize);

    // The seams.
    MediaPlayer& player() const { return *platform_.player; }
    FileDialog& fileDialog() const { return *platform_.fileDialog; }
    MessageBox& messageBox() const { return *platform_.messageBox; }
    Shell& shell() const { return *platform_.shell; }

    // Shows the wait notice in the playlist's place and paints it at once.
    void beginWait(const QString& notice);
    // Shows the playlist again.
    void endWait();

    // Edit mode: the record editor is active exactly while its Done button is visible.
    bool inEditMode() const;
    // The CD wizard is active while its Cancel button is visible.
    bool inCdWizard() const;

    // --- window-level variables ---
    LibraryTable library;            // Artist/Title/Genre/File and RecordCount
    DatabaseFile database;           // DatabasePath and the file kept open for appending
    int PlaylistPosition = 0;        // 1-based entry opened last, 0 for none
    bool OpenRequested = false;      // the previous/next buttons asked the timer to open an entry
    bool PlayerHasEntries = false;   // the player answered the entry-number probe
    bool ArtistSetByTyping = false;
    bool TitleSetByTyping = false;
    bool TitleSetByProgram = false;
    bool ArtistClearedByTitle = false;
    bool DatabaseChanged = false;    // records were removed since the last write
    qint64 SelectionSize = 0;        // kilobytes put into the playlist while the CD wizard runs
    QRandomGenerator random;         // seeded at start-up from the time of day
    QString VersionText;

    // --- controls (object names are these names) ---
    QWidget* client = nullptr;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLabel *Label10, *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17;
    QComboBox* Combo1;
    QLineEdit *Text1, *Text2, *Text4;
    QListWidget *List1, *List2, *List3, *List4, *List5, *List6, *File1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8;
    QPushButton *Command9, *Command10, *Command11, *Command12, *Command13, *Command14, *Command15, *Command16;
    QFrame* Frame1;
    QFrame* Picture1;
    QWidget* MediaPlayer1;
    QTimer* Timer1;
    QPixmap Image1; // drag icon: no drop here
    QPixmap Image2; // drag icon: drop allowed

    // --- menus ---
    QMenu *File, *Search1, *Database, *Playlist, *Create, *Help, *Secret1;
    QAction *OpenDatabase, *SaveDatabase, *OpenPlaylist, *SavePlaylist, *Exit;
    QAction* Search;
    QAction *NewVexolin, *EditVexolin, *DatabaseCheck;
    QAction *DropBox, *AddPlaylist, *PlaylistAddUrl, *Remove, *RandomPlaylist, *ClearPlaylist;
    QAction* CreateCD;
    QAction *HelpHelp, *AboutHelp;
    QAction* AddFiles;

    // --- windows and parts ---
    AboutWindow* Form2 = nullptr;
    std::unique_ptr<DatabaseLoader> loader;
    std::unique_ptr<ArtistTitleLists> lists;
    std::unique_ptr<EntryCounter> counter;
    std::unique_ptr<PlaylistEditing> editing;
    std::unique_ptr<PlayerControl> playerControl;
    std::unique_ptr<StatusTimer> statusTimer;
    std::unique_ptr<PlaylistFiles> playlistFiles;
    std::unique_ptr<Shuffle> shuffle;
    std::unique_ptr<ExternalDrops> drops;
    std::unique_ptr<DropBoxPart> dropBox;
    std::unique_ptr<RecordEditor> editor;
    std::unique_ptr<EntryFields> fields;
    std::unique_ptr<SearchPart> search;
    std::unique_ptr<MissingFilesCheck> check;
    std::unique_ptr<CdWizard> cdWizard;

    // --- shared routines ---
    void CheckTeller();
    void ResetDragIcon();
    void SetDropIcon();
    // The icon a drag from List1/List2 shows now.
    const QPixmap& currentDragIcon() const { return dragIcon_; }

    // Help and shutdown.
    void HelpHelp_Click();
    void AboutHelp_Click();
    void Exit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenus();
    // Completes an active record edit before the program ends.
    void finishEditBeforeExit();

    Platform platform_;
    QPixmap dragIcon_;
    bool closingByProgram_ = false;
};

// Where the window goes at start-up: centred on the screen, at the top on a 600-pixel-high one.
QPoint startupPosition(QSize screen, QSize window);
// Whether the whole command line names a database, and which.
bool commandLineNamesDatabase(const QString& commandLine);
