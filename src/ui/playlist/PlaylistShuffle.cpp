#include "ui/playlist/PlaylistShuffle.h"

#include "core/SharedTexts.h"
#include "core/ShuffleKeys.h"
#include "ui/window/MainWindow.h"
#include "ui/window/PlaylistItems.h"

#include <QAction>
#include <QListWidget>
#include <vector>

PlaylistShuffle::PlaylistShuffle(MainWindow& window, RandomNumbers random)
    : QObject(&window), window_(window), random_(std::move(random))
{
    connect(window_.shufflePlaylistAction, &QAction::triggered, this, &PlaylistShuffle::shuffle);
}

void PlaylistShuffle::shuffle()
{
    window_.showWaitNotice(ShufflingNotice);
    const QList<PlaylistEntry> entries = playlistEntries(window_.playlist);
    // The texts share the entries' data: the list is read once.
    QStringList texts;
    texts.reserve(entries.size());
    std::vector<int> keys;
    keys.reserve(size_t(entries.size()));
    for (const PlaylistEntry& entry : entries) {
        texts.append(entry.text);
        keys.push_back(shuffleKeyValue(shuffleNumber(random_())));
    }
    QList<PlaylistEntry> shuffled;
    shuffled.reserve(entries.size());
    for (qsizetype i : shuffledOrder(texts, keys))
        shuffled.append(entries[i]);
    replaceEntries(window_.playlist, shuffled);
    window_.hideWaitNotice();
}
