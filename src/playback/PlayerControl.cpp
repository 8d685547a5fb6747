#include "playback/PlayerControl.h"

#include "app/AboutWindow.h"
#include "app/Form1.h"
#include "browser/ArtistTitleLists.h"
#include "library/RecordCode.h"
#include "playback/MediaPlayer.h"
#include "playlist/PlaylistEntry.h"

#include <QLineEdit>
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

PlayerControl::PlayerControl(Form1& form) : form_(form)
{
    const std::pair<QPushButton*, void (PlayerControl::*)()> buttons[] = {
        {form_.Command1, &PlayerControl::Command1_Click}, {form_.Command2, &PlayerControl::Command2_Click},
        {form_.Command3, &PlayerControl::Command3_Click}, {form_.Command4, &PlayerControl::Command4_Click},
        {form_.Command5, &PlayerControl::Command5_Click}, {form_.Command7, &PlayerControl::Command7_Click},
        {form_.Command8, &PlayerControl::Command8_Click},
    };
    for (const auto& [button, handler] : buttons) {
        QObject::connect(button, &QPushButton::clicked, &connections_,
                         [this, handler = handler] { (this->*handler)(); });
    }

    // The selection changes once per new row, whether a click, a key or setCurrentRow made it.
    QObject::connect(form_.List3, &QListWidget::itemSelectionChanged, &connections_, [this] { List3_Click(); });
    new ClickOnSelectedRow(form_.List3, &connections_, [this] { List3_Click(); });

    MediaPlayer* player = &form_.player();
    QObject::connect(player, &MediaPlayer::EndOfStream, &connections_, [this] { EndOfStream(); });
    QObject::connect(player, &MediaPlayer::NewStream, &connections_, [this] { NewStream(); });
    QObject::connect(player, &MediaPlayer::Error, &connections_, [this] { Error(); });
}

void PlayerControl::OpenMedia(int p)
{
    if (form_.Form2->isVisible())
        form_.Form2->hide();
    QString caption;
    const int row = p - 1;
    if (row >= 0 && row < form_.List3->count())
        caption = openEntry(form_.List3->item(row)->text());
    form_.setWindowTitle(QStringLiteral("Vexolin: ") + caption);
    form_.CheckTeller();
}

QString PlayerControl::openEntry(const QString& entry)
{
    MediaPlayer& player = form_.player();
    switch (entryKindForPlayer(entry)) {
    case EntryKind::Library: {
        const LibraryTable& table = form_.library;
        const int r = recordOfCodedEntry(entry);
        if (r < 1 || r > table.RecordCount())
            return {};
        // The player ignores the padding blanks of the stored path; a failure is reported
        // through its Error event.
        player.Open(table.File(r));
        const LibraryRecord& record = table.record(r);
        return QStringLiteral("%1 - %2").arg(trimBlanks(record.Artist), trimBlanks(record.Title));
    }
    case EntryKind::Marked: {
        const QString path = markedPath(entry).toString();
        player.Open(path);
        return path;
    }
    case EntryKind::Plain:
        player.Open(entry);
        return entry;
    }
    return {};
}

void PlayerControl::Command1_Click()
{
    form_.player().Play();
}

void PlayerControl::Command2_Click()
{
    form_.player().Pause();
}

void PlayerControl::Command3_Click()
{
    MediaPlayer& player = form_.player();
    if (player.FileName().isEmpty())
        return;
    player.SetCurrentPosition(0);
    player.Stop();
}

void PlayerControl::Command4_Click()
{
    form_.Command4->setEnabled(false);
    form_.OpenRequested = true;
    form_.PlaylistPosition -= 1;
}

void PlayerControl::Command5_Click()
{
    form_.PlaylistPosition += 1;
    if (form_.PlaylistPosition > form_.List3->count())
        form_.PlaylistPosition = form_.List3->count();
    form_.OpenRequested = true;
}

void PlayerControl::Command7_Click()
{
    form_.player().Previous();
    form_.CheckTeller();
}

void PlayerControl::Command8_Click()
{
    form_.player().Next();
    form_.CheckTeller();
}

void PlayerControl::List3_Click()
{
    // A row deselected, or none left, is nothing to open.
    const QListWidgetItem* selected = form_.List3->currentItem();
    if (!selected || !selected->isSelected() || form_.inCdWizard())
        return;
    const QString entry = selected->text();
    form_.PlaylistPosition = form_.List3->currentRow() + 1;
    OpenMedia(form_.PlaylistPosition);
    if (!form_.inEditMode())
        return;
    checkForDuplicate(entry);
    form_.TitleSetByProgram = false;
}

void PlayerControl::checkForDuplicate(const QString& entry)
{
    form_.Text2->clear();
    const int r = selectArtistOfFile(entry);
    if (r != 0 && selectTitleOfRecord(r))
        form_.messageBox().show(&form_, QStringLiteral("This database contains already a link to this file/url..."),
                                QStringLiteral("Warning..."));
}

int PlayerControl::selectArtistOfFile(const QString& entry)
{
    // The path the entry opens, as Add would store it.
    const QString file = trimBlanks(fileOfEntry(entry, form_.library)).toString().toUpper();
    const LibraryTable& table = form_.library;
    for (int i = 1; i <= table.RecordCount(); ++i) {
        const LibraryRecord& record = table.record(i);
        if (trimBlanks(record.File).toString().toUpper() != file)
            continue;
        // Only the first record with this file counts, whether or not its artist is listed.
        const QStringView artist = trimBlanks(record.Artist);
        for (int row = 0; row < form_.List1->count(); ++row) {
            const QString listed = form_.List1->item(row)->text();
            if (trimBlanks(listed) == artist) {
                form_.lists->selectArtistRow(row); // lists the artist's titles, even if selected
                form_.Text1->setText(listed);
                return i;
            }
        }
        return 0;
    }
    return 0;
}

bool PlayerControl::selectTitleOfRecord(int r)
{
    for (int row = 0; row < form_.List2->count(); ++row) {
        if (recordOfCodedEntry(form_.List2->item(row)->text()) != r)
            continue;
        // The title list puts the title into the title field, and leaves the record editor's
        // Remove button alone.
        form_.TitleSetByProgram = true;
        form_.lists->selectTitleRow(row); // also when it is already selected: the field was cleared
        return true;
    }
    return false;
}

void PlayerControl::EndOfStream()
{
    if (form_.inEditMode()) {
        Command3_Click();
        return;
    }
    if (form_.PlaylistPosition == 0 && form_.List3->count() > 0) {
        form_.PlaylistPosition = 1;
        OpenMedia(1);
        return;
    }
    if (form_.Command5->isEnabled())
        Command5_Click();
}

void PlayerControl::NewStream()
{
    form_.CheckTeller();
}

void PlayerControl::Error()
{
    form_.messageBox().show(&form_, form_.player().ErrorDescription(), QStringLiteral("Error"));
}
