#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

class DatabaseOpening;
class ExternalDrops;
class MainWindow;
class MessageBox;
class PlayerControl;
class Playlist;
class PlaylistFiles;
class WindowMode;

// Opens the files a start of the program asks for (see readCommandLine): those on this start's own
// command line, and those a later start in the same session hands over. A database opens as at
// start-up, or, handed over, as File > Open Database opens it; a playlist or M3U file has its
// entries appended as File > Open Playlist does; media files are appended as a file manager's drop
// appends them, and the first one appended plays.
class RequestedFiles : public QObject
{
    Q_OBJECT
public:
    struct Features
    {
        WindowMode& mode;
        DatabaseOpening& databaseOpening;
        PlaylistFiles& playlistFiles;
        ExternalDrops& drops;
        PlayerControl& playerControl;
        MessageBox& messageBox;
        const Playlist& playlist;
    };
    RequestedFiles(MainWindow& window, const Features& features);

    // Start-up: opens the files of the command line, in order; from now on handed-over files are
    // opened too.
    void openAtStartUp(const QStringList& files);
    // A later start handed these files over (none: it only asked to see the window). The window
    // comes to the front; the files are opened once the window is free: started, and no dialog or
    // menu of its own waiting for the user. What the record editor, the database check or the
    // CD wizard does not allow now is left out, and the user is told why.
    void openHandedOver(const QStringList& files);
    // The desktop asks to play an address (a local path or a network stream): it is appended to
    // the playlist, as a dropped link is, and plays. Returns why it cannot now (the window's mode
    // adds nothing, the playlist took nothing), or nothing.
    QString openAddress(const QString& address);

signals:
    // The window is asked to come up, in front, with the focus.
    void raiseRequested();

private:
    void openWaiting();
    bool windowIsFree() const;
    // Opens the files in order; handed over, a database opens as File > Open Database opens one.
    void open(const QStringList& files, bool handedOver);
    // Appends media files, and plays the first appended when nothing of this request plays yet.
    void appendMedia(const QStringList& files, bool& playing);
    // Whether the menu item that opens a file of this kind is enabled in the window's mode.
    bool allowedNow(const QString& file) const;
    void tellLeftOut(const QStringList& files);

    MainWindow& window_;
    Features features_;
    bool started_ = false;
    // Handed-over requests not opened yet, oldest first.
    QList<QStringList> waiting_;
    QTimer retry_;
};
