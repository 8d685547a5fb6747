#pragma once

#include <QObject>

class FileDialog;
class Library;
class MainWindow;
class MessageBox;
class Playlist;

// File > Open Playlist and File > Save Playlist.
class PlaylistFiles : public QObject
{
    Q_OBJECT
public:
    PlaylistFiles(MainWindow& window, Playlist& playlist, const Library& library, FileDialog& fileDialog, MessageBox& messageBox);

    // Appends the entries of a chosen playlist file to the playlist; reading failures are silent.
    void openPlaylist();
    // The same for the playlist or M3U file at path, named on the command line.
    void openPlaylistFile(const QString& path);
    // Writes the whole playlist to a chosen file; a failure to write is reported.
    void savePlaylist();

signals:
    // Entries were read into the playlist: the entry counter is due.
    void playlistOpened();

private:
    void appendEntriesOf(const QString& path);

    MainWindow& window_;
    Playlist& playlist_;
    const Library& library_;
    FileDialog& fileDialog_;
    MessageBox& messageBox_;
};
