#include "ui/playback/EntryCounter.h"

#include "player/MediaPlayer.h"
#include "ui/window/MainWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

EntryCounter::EntryCounter(MainWindow& window, MediaPlayer& player) : window_(window), player_(player) {}

void EntryCounter::probePlayer()
{
    playerNumbersEntries_ = player_.currentEntry().has_value();
}

void EntryCounter::update(int position)
{
    QListWidget* playlist = window_.playlist;
    window_.previousEntryButton->setEnabled(position >= 2);
    window_.nextEntryButton->setEnabled(position != 0 && position < playlist->count());
    player_.setEntryOption(true);

    // Selecting another row is a selection change like a user's click; the same row raises
    // nothing. A position past the end of the playlist leaves the selection as it is.
    const int row = position - 1;
    if (row >= -1 && row < playlist->count() && playlist->currentRow() != row)
        playlist->setCurrentRow(row);

    if (!playerNumbersEntries_)
        return;
    const int current = player_.currentEntry().value_or(1);
    const int count = player_.entryCount().value_or(0);
    window_.entryCounter->setText(QStringLiteral("%1/%2").arg(current < 1 ? 1 : current).arg(count == 0 ? 1 : count));
    const bool single = window_.entryCounter->text() == QLatin1String("1/1");
    window_.previousInMediaButton->setEnabled(!single);
    window_.nextInMediaButton->setEnabled(!single);
}
