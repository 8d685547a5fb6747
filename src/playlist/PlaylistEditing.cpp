#include "playlist/PlaylistEditing.h"

#include "app/Form1.h"
#include "app/ListSelection.h"
#include "app/SortedLists.h"
#include "app/TextCase.h"
#include "browser/ArtistTitleLists.h"
#include "browser/LibraryDrag.h"
#include "library/RecordCode.h"
#include "library/TextLines.h"
#include "playlist/AddUrlWindow.h"
#include "playlist/PlaylistEntry.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString WaitNotice = QStringLiteral("Adding files, please wait...");


QStringView withoutTrailingBlanks(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.first(end);
}

} // namespace

std::optional<qint64> measuredFileLength(QStringView storedPath)
{
    const QString path = withoutTrailingBlanks(storedPath).toString();
    if (path.isEmpty() || path.contains(QLatin1String("://")))
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return std::nullopt;
    return info.size();
}

qint64 addRoundedKilobytes(qint64 kilobytes, qint64 bytes, int sign)
{
    // Exact arithmetic in bytes, then the quotient by 1024 rounded half to even.
    const qint64 total = kilobytes * 1024 + sign * bytes;
    qint64 whole = total / 1024;
    qint64 rest = total % 1024;
    if (rest < 0) {
        whole -= 1;
        rest += 1024;
    }
    if (rest > 512 || (rest == 512 && (whole & 1)))
        whole += 1;
    return whole;
}

QStringList m3uLines(const QByteArray& data, bool readCompletely)
{
    QList<QByteArrayView> lines = splitLines(data);
    if (!readCompletely && !lines.isEmpty() && !data.endsWith('\r') && !data.endsWith("\r\n"))
        lines.removeLast();
    QStringList texts;
    texts.reserve(lines.size());
    for (QByteArrayView line : lines)
        texts.append(decodeLine(line));
    return texts;
}

PlaylistEditing::PlaylistEditing(Form1& form) : form_(form)
{
    QObject::connect(form_.AddPlaylist, &QAction::triggered, this, [this] { AddPlaylist_Click(); });
    QObject::connect(form_.PlaylistAddUrl, &QAction::triggered, this, [this] { PlaylistAddUrl_Click(); });
    QObject::connect(form_.Remove, &QAction::triggered, this, [this] { Remove_Click(); });
    QObject::connect(form_.ClearPlaylist, &QAction::triggered, this, [this] { ClearPlaylist_Click(); });
    QObject::connect(form_.Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    // Entries are single lines in one fixed-pitch font: measuring thousands of them one by one
    // would stall the window when the list is shown again. Like the original list it scrolls
    // only vertically, so the part of a marked entry past its blanks stays out of sight.
    form_.List3->setUniformItemSizes(true);
    form_.List3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    form_.List3->setAcceptDrops(true);
    form_.List3->viewport()->setAcceptDrops(true);
    form_.List3->viewport()->installEventFilter(this);
}

PlaylistEditing::~PlaylistEditing() = default;

bool PlaylistEditing::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString source = libraryDragSource(drop->mimeData());
        if (source.isEmpty())
            return false; // files and text from other programs are not ours
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        List3_DragDrop(source);
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::RightButton)
            return false;
        // The right button neither selects nor plays an entry.
        List3_MouseDown(press->button(), press->globalPosition().toPoint());
        return true;
    }
    return false;
}

int PlaylistEditing::appendEntries(const QStringList& entries)
{
    const int room = qMax(0, PlaylistCapacity - form_.List3->count());
    if (entries.size() <= room) {
        form_.List3->addItems(entries);
        return int(entries.size());
    }
    form_.List3->addItems(entries.first(room));
    return room;
}

void PlaylistEditing::appendRecords(const QList<int>& records)
{
    const int room = qMax(0, PlaylistCapacity - form_.List3->count());
    const qsizetype n = qMin<qsizetype>(room, records.size());
    QStringList entries;
    entries.reserve(n);
    const bool counting = form_.inCdWizard();
    for (qsizetype k = 0; k < n; ++k) {
        entries.append(libraryEntry(form_.library, records[k]));
        if (counting)
            countSize(records[k], +1);
    }
    form_.List3->addItems(entries);
}

void PlaylistEditing::countSize(int record, int sign)
{
    if (const std::optional<qint64> bytes = measuredFileLength(form_.library.record(record).File))
        form_.SelectionSize = addRoundedKilobytes(form_.SelectionSize, *bytes, sign);
}

void PlaylistEditing::AddPlaylist_Click()
{
    FileDialog& dialog = form_.fileDialog();
    dialog.filter = QStringLiteral("All Files|*.*");
    dialog.title = QStringLiteral("Add File");
    dialog.fileName.clear();
    const QString chosen = dialog.showOpen(&form_);
    if (chosen.isEmpty())
        return;
    if (chosen.right(4).toUpper() != QLatin1String(".M3U")) {
        appendEntries({chosen});
        return;
    }
    // A file that cannot be read to its end keeps the lines read until then.
    QByteArray data;
    const bool complete = readWholeFile(chosen, data);
    appendEntries(m3uLines(data, complete));
}

void PlaylistEditing::PlaylistAddUrl_Click()
{
    if (!Form4)
        Form4 = new AddUrlWindow(form_, *this);
    Form4->showOverPlayer();
}

void PlaylistEditing::Remove_Click()
{
    QListWidget* list = form_.List3;
    const int row = selectedRow(list);
    if (row < 0)
        return;
    const QString entry = list->item(row)->text();
    if (form_.inCdWizard() && entry.contains(NBSP)) {
        const int record = recordOfCodedEntry(entry);
        if (record >= 1 && record <= form_.library.RecordCount())
            countSize(record, -1);
    }
    // Removing is not a click on another entry: nothing is selected afterwards.
    removeEntry(list, row);
}

void PlaylistEditing::ClearPlaylist_Click()
{
    emptyList(form_.List3);
    form_.PlaylistPosition = 0;
    form_.CheckTeller();
    form_.SelectionSize = 0;
}

void PlaylistEditing::Command6_Click()
{
    form_.beginWait(WaitNotice);
    const QString genre = trimBlanks(form_.Combo1->currentText()).toString();
    const bool allGenres = genre == AllGenres;
    const LibraryTable& table = form_.library;
    QList<int> records;
    records.reserve(table.RecordCount());
    for (int i = 1; i <= table.RecordCount(); ++i) {
        if (allGenres || trimBlanks(table.record(i).Genre) == genre)
            records.append(i);
    }
    appendRecords(records);
    form_.endWait();
}

void PlaylistEditing::List3_DragDrop(const QString& source)
{
    form_.beginWait(WaitNotice);
    const LibraryTable& table = form_.library;
    if (source == QLatin1String("List1")) {
        // With no artist selected there is nothing to add.
        if (const QListWidgetItem* item = form_.List1->currentItem()) {
            const QString artist = upperCased(trimBlanks(item->text()));
            QList<int> records;
            for (int i = 1; i <= table.RecordCount(); ++i) {
                if (equalsUpperCased(trimBlanks(table.record(i).Artist), artist))
                    records.append(i);
            }
            appendRecords(records);
        }
    } else if (source == QLatin1String("List2")) {
        if (const QListWidgetItem* item = form_.List2->currentItem()) {
            const int record = recordOfCodedEntry(item->text());
            if (record >= 1 && record <= table.RecordCount())
                appendRecords({record});
        }
        if (form_.PlaylistPosition < form_.List3->count())
            form_.Command5->setEnabled(true);
        form_.CheckTeller();
    }
    form_.endWait();
}

void PlaylistEditing::List3_MouseDown(Qt::MouseButton button, QPoint globalPos)
{
    if (button == Qt::RightButton)
        form_.Playlist->popup(globalPos);
}
