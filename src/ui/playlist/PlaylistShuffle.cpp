#include "ui/playlist/PlaylistShuffle.h"

#include "core/Playlist.h"
#include "core/SharedTexts.h"
#include "core/ShuffleKeys.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <vector>

PlaylistShuffle::PlaylistShuffle(MainWindow& window, Playlist& playlist, RandomNumbers random)
    : QObject(&window), window_(window), playlist_(playlist), random_(std::move(random))
{
    connect(window_.shufflePlaylistAction, &QAction::triggered, this, &PlaylistShuffle::shuffle);
}

void PlaylistShuffle::shuffle()
{
    window_.showWaitNotice(ShufflingNotice);
    const QList<PlaylistEntry> entries = playlist_.entries();
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
    playlist_.replaceAll(std::move(shuffled));
    window_.hideWaitNotice();
}
