#include "ui/playback/PlayerControl.h"

#include "core/Library.h"
#include "core/MediaAddress.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "player/MediaPlayer.h"
#include "ui/seams/Seams.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/PlaylistItems.h"
#include "ui/window/RowChosenAgain.h"
#include "ui/window/WindowMode.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <functional>

namespace {

// Enter or Space on the selected row asks for it again, as a click on it does, for those who use
// the keyboard.
class KeyChoosesSelectedRow : public QObject
{
public:
    KeyChoosesSelectedRow(QListWidget* list, QObject* owner, std::function<void()> onChoice)
        : QObject(owner), list_(list), onChoice_(std::move(onChoice))
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress && keyPressed(*static_cast<QKeyEvent*>(event));
    }

private:
    // Returns whether the key was taken.
    bool keyPressed(const QKeyEvent& key)
    {
        const bool space = key.key() == Qt::Key_Space;
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (!(space || enter) || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        const bool chosen = selectedRow(list_) >= 0;
        if (chosen && !key.isAutoRepeat())
            onChoice_();
        // Space never goes on to the list, whose type-ahead would jump to an entry starting with
        // a blank.
        return chosen || space;
    }

    QListWidget* list_;
    std::function<void()> onChoice_;
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
    // A click on the selected entry, or Enter or Space on it, asks for it again: to replay it
    // after it ended, or to retry it after an error.
    new RowChosenAgain(window_.playlist, RowChosenAgain::On::Click, this, [this](int) { openChosenEntry(); });
    new KeyChoosesSelectedRow(window_.playlist, this, [this] { openChosenEntry(); });

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
    PlaylistEntry entry;
    QString caption;
    bool namesMedia = true;
    const int row = p - 1;
    if (row >= 0 && row < window_.playlist->count()) {
        entry = entryAt(window_.playlist, row);
        namesMedia = entry.kind == EntryKind::Library || !namesNoMedia(fileOfEntry(entry, library_.table()));
        caption = namesMedia ? openPlaylistEntry(entry) : fileOfEntry(entry, library_.table());
    }
    window_.setWindowTitle(QStringLiteral("Vexolin: ") + caption);
    emit entryOpened(entry);
    updateEntryCounter();
    if (!namesMedia)
        passOver(p);
}

void PlayerControl::playEntry(int p)
{
    QListWidgetItem* item = window_.playlist->item(p - 1);
    if (!item)
        return;
    // Selecting the row opens it, as a click does; a row chosen already is opened again.
    if (window_.playlist->currentItem() == item && item->isSelected())
        openChosenEntry();
    else
        window_.playlist->setCurrentItem(item);
}

void PlayerControl::passOver(int p)
{
    // As at the end of a media: what played stops, and the next entry follows unless the record
    // editor is open. The position is set rather than stepped: the entry counter's row change
    // opens the same entry again from within openEntry.
    stop();
    if (mode_.isEditing() || p >= window_.playlist->count())
        return;
    position_ = p + 1;
    openRequested_ = true;
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

QPushButton* PlayerControl::buttonFor(Action action) const
{
    switch (action) {
    case Action::Play: return window_.playButton;
    case Action::Pause: return window_.pauseButton;
    case Action::Stop: return window_.stopButton;
    case Action::PreviousEntry: return window_.previousEntryButton;
    case Action::NextEntry: return window_.nextEntryButton;
    }
    return window_.stopButton;
}

bool PlayerControl::isAvailable(Action action) const
{
    return buttonFor(action)->isEnabled();
}

void PlayerControl::carryOut(Action action)
{
    if (!isAvailable(action))
        return;
    switch (action) {
    case Action::Play: play(); break;
    case Action::Pause: pause(); break;
    case Action::Stop: stop(); break;
    case Action::PreviousEntry: requestPreviousEntry(); break;
    case Action::NextEntry: requestNextEntry(); break;
    }
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
    // Cleared first: an entry that names no media asks for the next one.
    openRequested_ = false;
    openEntry(position_);
}
