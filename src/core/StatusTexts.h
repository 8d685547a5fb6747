#pragma once

#include <QString>
#include <QtGlobal>

// The texts of the status timer, kept apart from the widgets.

// The whole second of a player position or length: rounded down; a negative or unknown value
// (the player reports -1 when nothing is open) counts as 0, an absurdly large one is capped.
qint32 wholeSeconds(double seconds);

// A whole number of seconds as a clock, "hh:mm:ss", each part at least two digits; hours
// grow past two digits (100:00:00). A negative number shows "00:00:00".
QString clockText(qint64 seconds);

// A size in kilobytes: " 0 Kilobyte" below 1, " 1023 Kilobyte", and from 1024 on megabytes
// with at most two decimals and no trailing zeros: " 1.5 Megabyte", " 2 Megabyte".
QString sizeText(qint64 kilobytes);

// "Artists: a    Titles: t    Playlist: p files"
QString statusLineText(int artists, int titles, int playlistEntries);

// " p files selected," followed by the size text: the line shown while the CD wizard waits
// for its selection.
QString selectionLineText(int playlistEntries, qint64 kilobytes);
