#pragma once

#include "playlist/PlaylistEntry.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

class Form1;
class AddUrlWindow;


// Editing the playlist: adding library records (All to Playlist, drags from the library lists),
// files, M3U files and URLs; removing an entry; clearing the list; the right-click menu.
//
// Drops on the playlist arrive through an event filter on List3's viewport that takes only the
// library lists' drags; drops of other data pass on untouched to the other filters there.
class PlaylistEditing : public QObject
{
    Q_OBJECT
public:
    explicit PlaylistEditing(Form1& form);
    ~PlaylistEditing() override;

    // "Add file(s)": one chosen file, or every line of a chosen M3U file.
    void AddPlaylist_Click();
    // "Add url": shows the Add-URL window over the player.
    void PlaylistAddUrl_Click();
    // "Remove": removes the selected entry.
    void Remove_Click();
    // "Clear playlist": empties the playlist and resets the counters.
    void ClearPlaylist_Click();
    // "All to Playlist": every record that passes the genre filter.
    void Command6_Click();
    // A drag from a library list ("List1" or "List2", anything else adds nothing) was dropped.
    void List3_DragDrop(const QString& source);
    // A mouse button was pressed over the playlist; the right one pops up the Playlist menu.
    void List3_MouseDown(Qt::MouseButton button, QPoint globalPos);

    // Appends entries at the end of the playlist while it has room; returns how many went in.
    int appendEntries(const QStringList& entries);

    // The Add-URL window, made on first use.
    AddUrlWindow* Form4 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Appends the library entries of the records, in order, counting their sizes while the CD
    // wizard runs.
    void appendRecords(const QList<int>& records);
    void countSize(int record, int sign);

    Form1& form_;
};

// The length of a library file for the size count: the stored path without its padding blanks;
// nothing for a URL or a path that names no readable regular file.
std::optional<qint64> measuredFileLength(QStringView storedPath);
// kilobytes ± bytes / 1024, rounded to the nearest whole number, an exact half to the even one.
qint64 addRoundedKilobytes(qint64 kilobytes, qint64 bytes, int sign);
// The lines of an M3U file's bytes; when the read stopped early, an unfinished last line is
// left out.
QStringList m3uLines(const QByteArray& data, bool readCompletely);
