#pragma once

#include <QObject>
#include <QString>

class Form1;

// Connects the playlist to the player: opens playlist entries, drives the transport buttons
// and answers the player's end-of-media, new-stream and error events.
class PlayerControl
{
public:
    explicit PlayerControl(Form1& form);

    // Opens playlist entry p (1-based) in the player, which starts by itself, and shows it in
    // the window title. An entry that cannot be opened is passed over quietly.
    void OpenMedia(int p);

    void Command1_Click(); // play
    void Command2_Click(); // pause
    void Command3_Click(); // stop
    void Command4_Click(); // previous playlist entry (opened by the status timer)
    void Command5_Click(); // next playlist entry (opened by the status timer)
    void Command7_Click(); // previous entry inside the open media
    void Command8_Click(); // next entry inside the open media

    // The selected playlist row changed, by the user or by CheckTeller.
    void List3_Click();

    // Player events.
    void EndOfStream();
    void NewStream();
    void Error();

private:
    // Opens one entry text; returns the text the window title shows for it (empty when the
    // entry names no record of the table).
    QString openEntry(const QString& entry);
    // Edit mode: when the selected entry's file is already in the database, shows its record
    // in the artist and title lists and warns.
    void checkForDuplicate(const QString& entry);
    // The first record whose file is the one `entry` opens, and shows its artist; 0 when there
    // is none or its artist is not listed.
    int selectArtistOfFile(const QString& entry);
    // Selects the title row that carries record r; whether one was found.
    bool selectTitleOfRecord(int r);

    Form1& form_;
    // Receiver of the connections, so that they end with this part and not with the window.
    QObject connections_;
};
