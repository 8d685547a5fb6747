#include "playlist/Shuffle.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "playlist/PlaylistFiles.h"

#include <QAction>
#include <QListWidget>
#include <algorithm>

QString shuffleKey(int r)
{
    return (QString::number(r) + QStringLiteral("0000")).left(5);
}

int shuffleNumber(double x)
{
    // A product just below 99998 can round up to it: keep the number in range.
    return std::clamp(int(x * 99998), 0, 99997);
}

Shuffle::Shuffle(Form1& form)
    : nextRandom([&form] { return form.random.generateDouble(); }), form_(form)
{
    QObject::connect(form_.RandomPlaylist, &QAction::triggered, &form_, [this] { RandomPlaylist_Click(); });
}

void Shuffle::RandomPlaylist_Click()
{
    form_.beginWait(QStringLiteral("Shuffling playlist, please wait..."));
    emptyList(form_.List4);
    QStringList keyed = playlistEntries(form_);
    for (QString& entry : keyed)
        entry.prepend(shuffleKey(shuffleNumber(nextRandom())));
    // Filing them all at once gives the order of filing them one by one.
    addAllSorted(form_.List4, std::move(keyed));

    emptyList(form_.List3);
    QStringList shuffled;
    shuffled.reserve(form_.List4->count());
    for (int i = 0; i < form_.List4->count(); ++i)
        shuffled.append(form_.List4->item(i)->text().sliced(5));
    form_.List3->addItems(shuffled);
    form_.endWait();
}
