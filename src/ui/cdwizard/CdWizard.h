#pragma once

#include "core/CdSetWriter.h"
#include "core/LibraryTable.h"

#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class FileDialog;
class Library;
class MainWindow;
class MessageBox;
class Playlist;
class WindowMode;
struct PlaylistEntry;

// The Create CD wizard: the user drags library entries onto the emptied playlist (the status
// line shows their count and size), chooses a database name in an empty directory, and the
// media of every entry are copied there with a portable database and a readme.
class CdWizard : public QObject
{
    Q_OBJECT
public:
    CdWizard(MainWindow& window, WindowMode& mode, const Library& library, Playlist& playlist,
             FileDialog& fileDialog, MessageBox& messageBox);

    // Create CD > Create: empties the playlist and shows the instructions, Next and Cancel.
    void start();
    // Next: asks for the database name in an empty directory and writes the set.
    void copySelection();
    // Cancel, or Done after the copy: closes the wizard.
    void close();

    // Whether the wizard waits for the user to choose the entries of the set.
    bool waitsForSelection() const { return step_ == Step::Selecting; }
    // The status tick: the status line counts the artists, titles and playlist entries listed,
    // or, while the wizard waits for its selection, the entries chosen and their size. (While
    // the set is copied, the copy shows its progress there itself.)
    void updateStatusLine();
    // Kilobytes of the library files chosen for the set so far (still to copy while copying).
    qint64 selectionKilobytes() const { return selectionKilobytes_; }

    // The playlist changed: while the wizard is open, the size of the chosen files follows.
    void countAppendedRecords(const QList<int>& records);
    void countRemovedEntry(const PlaylistEntry& entry);
    void resetSelection() { selectionKilobytes_ = 0; }

signals:
    // The wizard opened, closed, or went on to its next step: what the status line shows changes.
    void stepChanged();

private:
    enum class Step { Closed, Selecting, Copying, Finished };

    void setStep(Step step);

    // Asks until the chosen directory holds no files; the chosen name, or nothing on a cancel.
    std::optional<QString> askForDatabaseName();
    // The records of the playlist's entries, in order; nothing when an entry is not one.
    std::optional<QList<LibraryRecord>> playlistRecords() const;
    // Writes the set, showing the progress after each file; nothing is written when an entry
    // cannot be part of a set.
    CdSetWrite copyPlaylist(const QString& databaseName);
    void showProgress(int filesToCopy);
    void countRecord(int record, int sign);
    // Tells the user that the set could not be made, with the reason when known, and closes.
    void failAndClose(const QString& error);
    // Tells the user that the set in folder is incomplete and why, removes what the write made
    // there or keeps it as the user answers, and closes.
    void settleIncompleteSet(const CdSetWrite& write, const QString& folder);

    MainWindow& window_;
    WindowMode& mode_;
    const Library& library_;
    Playlist& playlist_;
    FileDialog& fileDialog_;
    MessageBox& messageBox_;
    Step step_ = Step::Closed;
    qint64 selectionKilobytes_ = 0;
};
