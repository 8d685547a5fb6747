#pragma once

#include <QObject>

class MainWindow;
class MessageBox;
class Playlist;
class QWidget;
struct DroppedData;

// Drops from other programs on the playlist and on the Drop Box: every one appends to the
// main window's playlist.
class ExternalDrops : public QObject
{
    Q_OBJECT
public:
    ExternalDrops(MainWindow& window, Playlist& playlist, MessageBox& messageBox);

    // Makes target take drops from other programs (the playlist, the Drop Box).
    void acceptDropsOn(QWidget* target);

    // Appends what a drop brings, behind the wait notice, and tells of entries a full playlist
    // left out; nothing happens while the player notice is shown (the CD wizard's texts, the
    // question for a new database's name).
    void addDroppedFiles(const DroppedData& drop);

signals:
    // Entries were appended: the entry counter is due.
    void filesDropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
    Playlist& playlist_;
    MessageBox& messageBox_;
};
