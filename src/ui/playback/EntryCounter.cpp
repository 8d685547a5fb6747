#include "ui/playback/EntryCounter.h"

#include "core/Playlist.h"
#include "player/MediaPlayer.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QLabel>
#include <QPushButton>

EntryCounter::EntryCounter(MainWindow& window, const Playlist& playlist, MediaPlayer& player)
    : window_(window), playlist_(playlist), player_(player)
{
}

void EntryCounter::probePlayer()
{
    playerNumbersEntries_ = player_.currentEntry().has_value();
}

void EntryCounter::update()
{
    player_.setEntryOption(true);

    // Selecting another row is a selection change like a user's click; the same row raises
    // nothing. A position past the end of the playlist leaves the selection as it is.
    ListBox* rows = window_.playlist;
    const int row = playlist_.position() - 1;
    if (row >= -1 && row < playlist_.count() && rows->currentRow() != row)
        rows->setCurrentRow(row);

    if (!playerNumbersEntries_)
        return;
    // A player that tells no entry shows 1/1.
    const int current = qMax(1, player_.currentEntry().value_or(1));
    const int count = qMax(1, player_.entryCount().value_or(0));
    window_.entryCounter->setText(QStringLiteral("%1/%2").arg(current).arg(count));
    const bool single = current == 1 && count == 1;
    window_.previousInMediaButton->setEnabled(!single);
    window_.nextInMediaButton->setEnabled(!single);
}
