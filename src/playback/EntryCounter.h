#pragma once

class Form1;

// Brings the transport area in line with the playlist and the player: the previous/next
// playlist buttons, the playing row of the playlist, and the n/m counter of the open media.
class EntryCounter
{
public:
    explicit EntryCounter(Form1& form) : form_(form) {}

    void CheckTeller();

private:
    Form1& form_;
};
