#include "JukeboxFixture.h"

#include "app/CommandLine.h"
#include "core/Library.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"

#include <QComboBox>
#include <QFile>

JukeboxFixture::JukeboxFixture(const QStringList& helpFolders)
{
    auto random = [this] {
        return randomNumbers.isEmpty() ? fallbackRandom_.generateDouble() : randomNumbers.takeFirst();
    };
    auto runDrag = [this](QDrag* drag) {
        if (dragLoop)
            dragLoop(drag);
        else
            drag->exec(Qt::CopyAction);
    };
    jukebox = std::make_unique<Jukebox>(Seams{player, fileDialog, messageBox, shell, tags, random, runDrag, helpFolders});
}

Jukebox& JukeboxFixture::start(const QString& commandLine)
{
    jukebox->start(readCommandLine(commandLine.isEmpty() ? QStringList() : QStringList{commandLine}).files,
                   QSize(1024, 768));
    return *jukebox;
}

Jukebox& JukeboxFixture::startWithRecords(const QList<QStringList>& records, const QString& name)
{
    Jukebox& started = start(writeDatabase(name, records));
    if (started.library().recordCount() != records.size())
        qFatal("the test database did not load");
    return started;
}

Playlist& shownPlaylist(const ListBox* view)
{
    auto* playlist = qobject_cast<Playlist*>(view->model());
    if (!playlist)
        qFatal("the view shows no playlist");
    return *playlist;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString JukeboxFixture::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString JukeboxFixture::writeDatabase(const QString& name, const QList<QStringList>& records) const
{
    QByteArray bytes;
    for (const QStringList& r : records)
        for (const QString& field : r)
            bytes += field.toUtf8() + "\r\n";
    return writeFile(name, bytes);
}

QStringList JukeboxFixture::texts(const QAbstractItemView* list)
{
    return entryTexts(list);
}

QStringList JukeboxFixture::texts(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}
