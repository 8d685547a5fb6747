#include "ui/playlist/PlaylistShuffle.h"

#include "core/SharedTexts.h"
#include "core/ShuffleKeys.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/SortedLists.h"

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
    const QStringList entries = entryTexts(window_.playlist);
    std::vector<int> keys;
    keys.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.push_back(shuffleKeyValue(shuffleNumber(random_())));
    QStringList shuffled;
    shuffled.reserve(entries.size());
    for (qsizetype i : shuffledOrder(entries, keys))
        shuffled.append(entries[i]);
    emptyList(window_.playlist);
    window_.playlist->addItems(shuffled);
    window_.hideWaitNotice();
}
