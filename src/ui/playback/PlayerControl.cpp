#include "ui/playback/PlayerControl.h"

#include "core/Library.h"
#include "core/MediaAddress.h"
#include "core/Playlist.h"
#include "core/PlaylistEntry.h"
#include "core/RecordCode.h"
#include "player/MediaPlayer.h"
#include "ui/seams/Seams.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/RowChosenAgain.h"
#include "ui/window/WindowMode.h"

#include <QKeyEvent>
#include <QPushButton>
#include <functional>
#include <utility>

namespace {

// Enter or Space on the selected row asks for it again, as a click on it does, for those who use
// the keyboard.
class KeyChoosesSelectedRow : public QObject
{
public:
    KeyChoosesSelectedRow(ListBox* list, QObject* owner, std::function<void()> onChoice)
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

    ListBox* list_;
    std::function<void()> onChoice_;
};

} // namespace

PlayerControl::PlayerControl(MainWindow& window, Playlist& playlist, MediaPlayer& player, const Library& library,
                             const WindowMode& mode, MessageBox& messageBox)
    : QObject(&window), window_(window), playlist_(playlist), player_(player), library_(library), mode_(mode),
      messageBox_(messageBox), counter_(window, playlist, player), playTimes_(window, player)
{
    for (Action action : {Action::Play, Action::Pause, Action::Stop, Action::PreviousEntry, Action::NextEntry})
        buttonFor(action)->setEnabled(isAvailable(action));
    connect(window_.playButton, &QPushButton::clicked, this, &PlayerControl::play);
    connect(window_.pauseButton, &QPushButton::clicked, this, &PlayerControl::pause);
    connect(window_.stopButton, &QPushButton::clicked, this, &PlayerControl::stop);
    connect(window_.previousEntryButton, &QPushButton::clicked, this, &PlayerControl::requestPreviousEntry);
    connect(window_.nextEntryButton, &QPushButton::clicked, this, &PlayerControl::requestNextEntry);
    connect(window_.previousInMediaButton, &QPushButton::clicked, this, &PlayerControl::previousInMedia);
    connect(window_.nextInMediaButton, &QPushButton::clicked, this, &PlayerControl::nextInMedia);

    // The selection changes once per new row, whether a click, a key or setCurrentRow made it.
    connect(window_.playlist, &ListBox::rowSelectionChanged, this, &PlayerControl::openChosenEntry);
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
    // A player that loads late is asked once it is in, before it opens what it was given.
    if (player_.isReady())
        counter_.probePlayer();
    else
        connect(&player_, &MediaPlayer::ready, this, [this] { counter_.probePlayer(); }, Qt::SingleShotConnection);
}

void PlayerControl::openEntry(int p)
{
    emit entryOpening();
    PlaylistEntry entry;
    QString caption;
    bool namesMedia = true;
    const int row = p - 1;
    if (row >= 0 && row < playlist_.count()) {
        entry = playlist_.entry(row);
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
    const int row = p - 1;
    if (row < 0 || row >= playlist_.count())
        return;
    // Selecting the row opens it, as a click does; a row chosen already is opened again.
    if (selectedRow(window_.playlist) == row)
        openChosenEntry();
    else
        window_.playlist->setCurrentRow(row);
}

void PlayerControl::passOver(int p)
{
    // As at the end of a media: what played stops, and the next entry follows unless the record
    // editor is open. The position is set rather than stepped: the entry counter's row change
    // opens the same entry again from within openEntry.
    stop();
    if (mode_.isEditing() || p >= playlist_.count())
        return;
    playlist_.setPosition(p + 1);
    requestOpen();
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
    setAvailable(Action::PreviousEntry, false);
    requestOpen();
    playlist_.setPosition(playlist_.position() - 1);
}

void PlayerControl::requestNextEntry()
{
    playlist_.setPosition(qMin(playlist_.position() + 1, playlist_.count()));
    requestOpen();
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
    return available_[size_t(action)];
}

void PlayerControl::setAvailable(Action action, bool available)
{
    const bool before = std::exchange(available_[size_t(action)], available);
    buttonFor(action)->setEnabled(available);
    if (available != before)
        emit transportChanged();
}

void PlayerControl::requestOpen()
{
    openRequested_ = true;
    emit transportChanged();
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
    playlist_.setPosition(0);
    updateEntryCounter();
}

void PlayerControl::updateEntryCounter()
{
    const int position = playlist_.position();
    setAvailable(Action::PreviousEntry, position >= 2);
    setAvailable(Action::NextEntry, position != 0 && position < playlist_.count());
    counter_.update();
}

void PlayerControl::openChosenEntry()
{
    // A row deselected, or none left, is nothing to open; nor is a row chosen for the CD set.
    const int row = selectedRow(window_.playlist);
    if (row < 0 || mode_.inCdWizard())
        return;
    const PlaylistEntry entry = playlist_.entry(row);
    playlist_.setPosition(row + 1);
    openEntry(row + 1);
    emit entryChosen(entry);
}

void PlayerControl::mediaEnded()
{
    if (mode_.isEditing()) {
        stop();
        return;
    }
    if (playlist_.position() == 0 && playlist_.count() > 0) {
        playlist_.setPosition(1);
        openEntry(1);
        return;
    }
    if (isAvailable(Action::NextEntry))
        requestNextEntry();
}

void PlayerControl::followPlayState()
{
    switch (player_.state()) {
    case MediaPlayer::Playing:
        setAvailable(Action::Play, false);
        setAvailable(Action::Pause, true);
        break;
    case MediaPlayer::Paused:
        setAvailable(Action::Play, true);
        setAvailable(Action::Pause, false);
        break;
    case MediaPlayer::Stopped:
        if (!player_.fileName().isEmpty())
            setAvailable(Action::Play, true);
        setAvailable(Action::Pause, false);
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
    openEntry(playlist_.position());
}
