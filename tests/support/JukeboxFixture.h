#pragma once

#include "FakePlayer.h"
#include "FakeTagReader.h"
#include "ScriptedSeams.h"
#include "app/Jukebox.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class ListBox;
class MainWindow;
class Playlist;
class QComboBox;
class QAbstractItemView;

// The bytes of a file, or "<unreadable>" when it cannot be read (so a missing file never
// compares equal to an empty one).
QByteArray fileBytes(const QString& path);

// The playlist that a playlist control shows.
Playlist& shownPlaylist(const ListBox* view);

// The whole program wired to a fake player and scripted dialogs, with a scratch folder.
struct JukeboxFixture
{
    FakePlayer player;
    ScriptedFileDialog fileDialog;
    RecordingMessageBox messageBox;
    RecordingShell shell;
    FakeTagReader tags;
    QTemporaryDir dir;
    // Numbers the shuffle draws, first to last; when they run out, a fixed sequence follows.
    QList<double> randomNumbers;
    // Plays a drag started from the library lists; when empty, the platform's drag loop does.
    std::function<void(QDrag*)> dragLoop;
    std::unique_ptr<Jukebox> jukebox;

    // helpFolders: where Help looks for its page after the current directory.
    explicit JukeboxFixture(const QStringList& helpFolders = {});
    // Runs start-up with the given command line (one argument, or none when empty) on an
    // 1024 x 768 screen.
    Jukebox& start(const QString& commandLine = {});
    // Runs start-up on a database of the records given as {artist, title, genre, file}
    // quadruples; stops the test unless every record loaded.
    Jukebox& startWithRecords(const QList<QStringList>& records, const QString& name = QStringLiteral("Music.VxDatabase"));
    MainWindow& window() const { return jukebox->window(); }

    // Writes bytes to a file in the scratch folder; returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // A database file of the records given as {artist, title, genre, file} quadruples.
    QString writeDatabase(const QString& name, const QList<QStringList>& records) const;

    // The texts of a list, in order.
    static QStringList texts(const QAbstractItemView* list);
    static QStringList texts(const QComboBox* combo);

private:
    QRandomGenerator fallbackRandom_{1999};
};
