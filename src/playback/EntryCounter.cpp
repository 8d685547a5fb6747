#include "playback/EntryCounter.h"

#include "app/Form1.h"
#include "playback/MediaPlayer.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

void EntryCounter::CheckTeller()
{
    const int position = form_.PlaylistPosition;
    form_.Command4->setEnabled(position >= 2);
    form_.Command5->setEnabled(position != 0 && position < form_.List3->count());
    MediaPlayer& player = form_.player();
    player.SetEntryOption(true);

    // Selecting another row is a selection change like a user's click; the same row raises
    // nothing. A position past the end of the playlist leaves the selection as it is.
    const int row = position - 1;
    if (row >= -1 && row < form_.List3->count() && form_.List3->currentRow() != row)
        form_.List3->setCurrentRow(row);

    if (!form_.PlayerHasEntries)
        return;
    const int current = player.GetCurrentEntry().value_or(1);
    const int count = player.EntryCount().value_or(0);
    form_.Label9->setText(QStringLiteral("%1/%2").arg(current < 1 ? 1 : current).arg(count == 0 ? 1 : count));
    const bool single = form_.Label9->text() == QLatin1String("1/1");
    form_.Command7->setEnabled(!single);
    form_.Command8->setEnabled(!single);
}
