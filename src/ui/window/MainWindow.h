#pragma once

#include <QKeySequence>
#include <QMainWindow>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class ListBox;
class QMenu;
class QPushButton;
class QSlider;
class QTimer;

// The main window: its controls and menus, laid out as the fixed 794 x 530 client area, and
// nothing else. The features that act on them are QObject children of this window; what the
// window holds is theirs to change, but no feature keeps its state in here.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // videoWidget, when given, fills the player area. It may be a window of its own (drawn over
    // the widgets around it), so what lies over the player (the notice, the check panel) is one
    // too, raised above it whenever it shows.
    explicit MainWindow(QWidget* videoWidget = nullptr, QWidget* parent = nullptr);

    // Shows a wait notice in the playlist's place and paints the window at once.
    void showWaitNotice(const QString& notice);
    // Shows the playlist again.
    void hideWaitNotice();
    // The seven buttons of the transport row, left to right.
    QList<QPushButton*> transportButtons() const;

    // The client area; every control lies on it.
    QWidget* const client;

    // Status line and the play-time displays.
    QLabel* const statusLine;
    QLabel* const playtimeCaption;
    QLabel* const playtimeLabel;
    QLabel* const timeLeftCaption;
    QLabel* const timeLeftLabel;
    // The library browser: genre filter, artist and title fields and lists.
    QLabel* const genreCaption;
    QComboBox* const genreFilter;
    QLineEdit* const genreField; // in its place while records are edited
    QLabel* const artistCaption;
    QLineEdit* const artistField;
    QPushButton* const allToPlaylistButton;
    ListBox* const artistList;
    QLabel* const titleCaption;
    QLineEdit* const titleField;
    QPushButton* const showAllButton;
    ListBox* const titleList;
    // The player's video, the large notice over it, and the position slider below it.
    QWidget* const playerArea;
    QLabel* const playerNotice;
    QSlider* const positionSlider;
    // Transport.
    QFrame* const transportFrame;
    QPushButton* const playButton;
    QPushButton* const pauseButton;
    QPushButton* const stopButton;
    QPushButton* const previousEntryButton;
    QPushButton* const previousInMediaButton;
    QLabel* const entryCounter;
    QPushButton* const nextInMediaButton;
    QPushButton* const nextEntryButton;
    QSlider* const volumeSlider; // right of the transport row
    // The playlist and the buttons beside its caption (record editing, CD wizard).
    QLabel* const playlistCaption;
    QPushButton* const addRecordButton;
    QPushButton* const removeRecordButton;
    QPushButton* const doneEditingButton;
    QPushButton* const wizardNextButton;
    QPushButton* const wizardCancelButton;
    QLabel* const waitNotice; // under the playlist, seen while the playlist is hidden
    ListBox* const playlist;
    QLabel* const creditLine;
    // The database check's panel.
    QFrame* const checkPanel;
    QLabel* const checkCaption;
    ListBox* const missingList;
    QLabel* const missingCount;
    QLabel* const missingCountCaption;
    QPushButton* const removeAllMissingButton;
    QPushButton* const checkDoneButton;
    QLabel* const checkBusyNotice;
    // While media plays, ten times a second the status of the window is brought up to date.
    QTimer* const statusTimer;

    // Menus and their items, in menu order. Each has a mnemonic; the usual shortcuts are set, and
    // F10 opens the menu bar.
    QMenu* const fileMenu;
    QAction* const openDatabaseAction;
    QAction* const saveDatabaseAction; // hidden, and without an action
    QAction* const openPlaylistAction;
    QAction* const savePlaylistAction;
    QAction* const exitAction;
    QMenu* const searchMenu;
    QAction* const searchAction;
    QMenu* const databaseMenu;
    QAction* const newDatabaseAction;
    QAction* const editDatabaseAction;
    QAction* const checkDatabaseAction;
    QAction* const importFolderAction;
    QMenu* const playlistMenu;
    QAction* const dropBoxAction;
    QAction* const addFilesAction;
    QAction* const addFolderAction;
    QAction* const addUrlAction;
    QAction* const removeAction;
    QAction* const shufflePlaylistAction;
    QAction* const clearPlaylistAction;
    QMenu* const createCdMenu;
    QAction* const createCdAction;
    QMenu* const helpMenu;
    QAction* const helpAction;
    QAction* const aboutAction;
    QMenu* const hiddenMenu;
    QAction* const hiddenAddFilesAction; // hidden, and without an action

signals:
    // The window is closing, by the user or by File > Exit: the program is about to end.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename T>
    T* control(const char* name) const;
    QMenu* addMenu(const char* name, const QString& caption);
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    // Makes a control that lies over the player a native window, raised whenever it shows.
    void keepAboveVideo(QWidget* overlay);
    void setUpShortcuts();
};
