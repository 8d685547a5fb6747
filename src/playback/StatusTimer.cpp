#include "playback/StatusTimer.h"

#include "app/Form1.h"
#include "playback/MediaPlayer.h"
#include "playback/PlayerControl.h"
#include "playback/StatusTexts.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

bool hasSelectedRow(const QListWidget* list)
{
    return list->selectionModel()->hasSelection();
}

} // namespace

StatusTimer::StatusTimer(Form1& form) : form_(form)
{
    QObject::connect(form_.Timer1, &QTimer::timeout, &connections_, [this] { Timer1_Timer(); });
}

void StatusTimer::Timer1_Timer()
{
    followPlayState();
    updateRemoveButton();
    showStatusLine();
    carryOutOpenRequest();
    updateAddButton();
    showTimes();
}

void StatusTimer::followPlayState()
{
    const MediaPlayer& player = form_.player();
    switch (player.PlayState()) {
    case MediaPlayer::Playing:
        form_.Command1->setEnabled(false);
        form_.Command2->setEnabled(true);
        break;
    case MediaPlayer::Paused:
        form_.Command1->setEnabled(true);
        form_.Command2->setEnabled(false);
        break;
    case MediaPlayer::Stopped:
        if (!player.FileName().isEmpty())
            form_.Command1->setEnabled(true);
        form_.Command2->setEnabled(false);
        break;
    default:
        break;
    }
}

void StatusTimer::updateRemoveButton()
{
    // Remove acts on exactly one of an artist or a title.
    if (hasSelectedRow(form_.List1) == hasSelectedRow(form_.List2))
        form_.Command10->setEnabled(false);
}

void StatusTimer::showStatusLine()
{
    const QPushButton* cancel = form_.Command16;
    const bool wizardWaitsForSelection =
        !cancel->isHidden() && cancel->isEnabled() && cancel->text() != QLatin1String("Done");
    form_.Label10->setText(wizardWaitsForSelection
                               ? selectionLineText(form_.List3->count(), form_.SelectionSize)
                               : statusLineText(form_.List1->count(), form_.List2->count(), form_.List3->count()));
}

void StatusTimer::carryOutOpenRequest()
{
    if (!form_.OpenRequested)
        return;
    form_.playerControl->OpenMedia(form_.PlaylistPosition);
    form_.OpenRequested = false;
}

void StatusTimer::updateAddButton()
{
    form_.Command11->setEnabled(!form_.Text1->text().isEmpty() && !form_.Text2->text().isEmpty()
                                && !form_.Text4->text().isEmpty());
}

void StatusTimer::showTimes()
{
    const MediaPlayer& player = form_.player();
    const qint32 p = wholeSeconds(player.CurrentPosition());
    if (p == LastShownSecond)
        return;
    form_.Label5->setText(clockText(p));
    // A length the player cannot tell (0) or one below the position shows 00:00:00.
    form_.Label7->setText(clockText(qint64(wholeSeconds(player.Duration())) - p));
    LastShownSecond = p;
}
