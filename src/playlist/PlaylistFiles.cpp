#include "playlist/PlaylistFiles.h"

#include "app/Form1.h"
#include "library/LibraryTable.h"
#include "library/RecordCode.h"
#include "library/TextLines.h"
#include "playlist/PlaylistEntry.h"

#include <QAction>
#include <QListWidget>
#include <QSaveFile>
#include <algorithm>

namespace {

const QString PlaylistFilter = QStringLiteral("Vexolin Playlist|*.vxplaylist");

} // namespace

QStringList playlistLines(QByteArrayView data)
{
    const QList<QByteArrayView> lines = splitLines(data);
    QStringList entries;
    entries.reserve(lines.size());
    for (QByteArrayView line : lines)
        entries.append(decodeLine(line));
    return entries;
}

bool readPlaylistFile(const QString& path, QStringList& lines)
{
    QByteArray data;
    const bool ok = readWholeFile(path, data);
    if (!ok) {
        // Only lines that ended before the failure were read whole.
        const qsizetype lastEnd = data.lastIndexOf('\r');
        data.truncate(lastEnd + 1);
    }
    lines = playlistLines(data);
    return ok;
}

QString playlistLine(QStringView entry, const LibraryTable& table)
{
    if (!isLibraryEntryForWriter(entry))
        return entry.toString();
    const qsizetype nbsp = entry.indexOf(NBSP);
    const int record = String2Num(entry.sliced(nbsp + 1).left(RecordCodeLength));
    // An entry whose code names no record of the table (a plain entry that happens to hold a
    // no-break space, or a record removed since) keeps its text rather than borrow another path.
    if (record < 1 || record > table.RecordCount())
        return entry.toString();
    return markedEntry(entry.left(nbsp), trimBlanks(table.record(record).File));
}

QByteArray playlistFileBytes(const QStringList& entries, const LibraryTable& table)
{
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString& entry : entries)
        lines.append(playlistLine(entry, table));
    return atFileStart(encodeLines(lines));
}

bool writePlaylistFile(const QString& path, const QStringList& entries, const LibraryTable& table,
                       QString* error)
{
    const QByteArray data = playlistFileBytes(entries, table);
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

QStringList playlistEntries(const Form1& form)
{
    const QListWidget* list = form.List3;
    QStringList entries;
    entries.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

qsizetype appendToPlaylist(Form1& form, QStringList entries)
{
    const qsizetype room = std::max(0, PlaylistCapacity - form.List3->count());
    if (entries.size() > room)
        entries.resize(room);
    form.List3->addItems(entries);
    return entries.size();
}

PlaylistFiles::PlaylistFiles(Form1& form) : form_(form)
{
    QObject::connect(form_.OpenPlaylist, &QAction::triggered, &form_, [this] { OpenPlaylist_Click(); });
    QObject::connect(form_.SavePlaylist, &QAction::triggered, &form_, [this] { SavePlaylist_Click(); });
}

void PlaylistFiles::OpenPlaylist_Click()
{
    FileDialog& dialog = form_.fileDialog();
    dialog.filter = PlaylistFilter;
    dialog.title = QStringLiteral("Open Playlist");
    dialog.fileName.clear();
    const QString path = dialog.showOpen(&form_);
    if (!path.isEmpty()) {
        QStringList lines;
        readPlaylistFile(path, lines); // a failure keeps what was read, without a message
        appendToPlaylist(form_, std::move(lines));
    }
    form_.CheckTeller();
}

void PlaylistFiles::SavePlaylist_Click()
{
    FileDialog& dialog = form_.fileDialog();
    dialog.filter = PlaylistFilter;
    dialog.title = QStringLiteral("Save Playlist");
    dialog.replaceWithoutAsking = true; // saving over the playlist last opened is the usual case
    // The file name is kept: the dialog offers the most recent file chosen.
    const QString path = dialog.showSave(&form_);
    if (path.isEmpty())
        return;
    QString error;
    if (!writePlaylistFile(path, playlistEntries(form_), form_.library, &error))
        form_.messageBox().show(&form_,
                                QStringLiteral("The playlist could not be saved to %1:\n%2").arg(path, error),
                                QStringLiteral("Error"));
}
