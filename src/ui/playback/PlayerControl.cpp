#include "ui/playback/PlayerControl.h"

#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "player/MediaPlayer.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"
#include "ui/window/PlaylistItems.h"
#include "ui/window/WindowMode.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

namespace {

// A click on the row that is already selected changes no selection, yet the user asks for that
// entry again (to replay it after it ended, or retry it after an error): it counts as a click.
class ClickOnSelectedRow : public QObject
{
public:
    ClickOnSelectedRow(QListWidget* list, QObject* owner, std::function<void()> onClick)
        : QObject(owner), list_(list), onClick_(std::move(onClick))
    {
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            if (armedRow_ >= 0 && list_->row(item) == armedRow_) {
                armedRow_ = -1;
                onClick_();
            }
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* press = static_cast<QMouseEvent*>(event);
            const QListWidgetItem* item = list_->itemAt(press->position().toPoint());
            armedRow_ = press->button() == Qt::LeftButton && item && item->isSelected() ? list_->row(item) : -1;
        }
        return false;
    }

private:
    QListWidget* list_;
    std::function<void()> onClick_;
    int armedRow_ = -1;
};

} // namespace

PlayerControl::PlayerControl(MainWindow& window, MediaPlayer& player, const Library& library,
                             const WindowMode& mode, MessageBox& messageBox)
    : QObject(&window), window_(window), player_(player), library_(library), mode_(mode),
      messageBox_(messageBox), counter_(window, player), playTimes_(window, player)
{
    connect(window_.playButton, &QPushButton::clicked, this, &PlayerControl::play);
    connect(window_.pauseButton, &QPushButton::clicked, this, &PlayerControl::pause);
    connect(window_.stopButton, &QPushButton::clicked, this, &PlayerControl::stop);
    connect(window_.previousEntryButton, &QPushButton::clicked, this, &PlayerControl::requestPreviousEntry);
    connect(window_.nextEntryButton, &QPushButton::clicked, this, &PlayerControl::requestNextEntry);
    connect(window_.previousInMediaButton, &QPushButton::clicked, this, &PlayerControl::previousInMedia);
    connect(window_.nextInMediaButton, &QPushButton::clicked, this, &PlayerControl::nextInMedia);

    // The selection changes once per new row, whether a click, a key or setCurrentRow made it.
    connect(window_.playlist, &QListWidget::itemSelectionChanged, this, &PlayerControl::openChosenEntry);
    new ClickOnSelectedRow(window_.playlist, this, [this] { openChosenEntry(); });

    connect(&player_, &MediaPlayer::endOfStream, this, &PlayerControl::mediaEnded);
    connect(&player_, &MediaPlayer::newStream, this, &PlayerControl::updateEntryCounter);
    connect(&player_, &MediaPlayer::error, this,
            [this] { messageBox_.show(&window_, player_.errorDescription(), QStringLiteral("Error")); });
}

void PlayerControl::probePlayer()
{
    counter_.probePlayer();
}

void PlayerControl::openEntry(int p)
{
    emit entryOpening();
    QString caption;
    const int row = p - 1;
    if (row >= 0 && row < window_.playlist->count())
        caption = openPlaylistEntry(entryAt(window_.playlist, row));
    window_.setWindowTitle(QStringLiteral("Vexolin: ") + caption);
    updateEntryCounter();
}

QString PlayerControl::openPlaylistEntry(const PlaylistEntry& entry)
{
    switch (entry.kind) {
    case EntryKind::Library: {
        const LibraryTable& table = library_.table();
        const int r = recordOfEntry(entry, table);
        if (r == 0)
            return {};
        // The player ignores the padding blanks of the stored path; a failure is reported
        // through its error event.
        player_.open(table.paddedFile(r));
        const LibraryRecord& record = table.record(r);
        return QStringLiteral("%1 - %2").arg(trimBlanks(record.artist), trimBlanks(record.title));
    }
    case EntryKind::Marked:
    case EntryKind::Plain: {
        const QString file = fileOfEntry(entry, library_.table());
        player_.open(file);
        return file;
    }
    }
    return {};
}

void PlayerControl::play()
{
    player_.play();
}

void PlayerControl::pause()
{
    player_.pause();
}

void PlayerControl::stop()
{
    if (player_.fileName().isEmpty())
        return;
    player_.setCurrentPosition(0);
    player_.stop();
}

void PlayerControl::requestPreviousEntry()
{
    window_.previousEntryButton->setEnabled(false);
    openRequested_ = true;
    position_ -= 1;
}

void PlayerControl::requestNextEntry()
{
    position_ = qMin(position_ + 1, window_.playlist->count());
    openRequested_ = true;
}

void PlayerControl::previousInMedia()
{
    player_.previous();
    updateEntryCounter();
}

void PlayerControl::nextInMedia()
{
    player_.next();
    updateEntryCounter();
}

void PlayerControl::forgetPosition()
{
    position_ = 0;
    updateEntryCounter();
}

void PlayerControl::updateEntryCounter()
{
    counter_.update(position_);
}

void PlayerControl::openChosenEntry()
{
    // A row deselected, or none left, is nothing to open; nor is a row chosen for the CD set.
    const QListWidgetItem* selected = window_.playlist->currentItem();
    if (!selected || !selected->isSelected() || mode_.inCdWizard())
        return;
    const PlaylistEntry entry = entryAt(window_.playlist, window_.playlist->currentRow());
    position_ = window_.playlist->currentRow() + 1;
    openEntry(position_);
    emit entryChosen(entry);
}

void PlayerControl::mediaEnded()
{
    if (mode_.isEditing()) {
        stop();
        return;
    }
    if (position_ == 0 && window_.playlist->count() > 0) {
        position_ = 1;
        openEntry(1);
        return;
    }
    if (window_.nextEntryButton->isEnabled())
        requestNextEntry();
}

void PlayerControl::followPlayState()
{
    switch (player_.state()) {
    case MediaPlayer::Playing:
        window_.playButton->setEnabled(false);
        window_.pauseButton->setEnabled(true);
        break;
    case MediaPlayer::Paused:
        window_.playButton->setEnabled(true);
        window_.pauseButton->setEnabled(false);
        break;
    case MediaPlayer::Stopped:
        if (!player_.fileName().isEmpty())
            window_.playButton->setEnabled(true);
        window_.pauseButton->setEnabled(false);
        break;
    default:
        break;
    }
}

void PlayerControl::carryOutOpenRequest()
{
    if (!openRequested_)
        return;
    openEntry(position_);
    openRequested_ = false;
}
