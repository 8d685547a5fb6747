#include "core/PlaylistNesting.h"

#include <QDir>

PlaylistNesting::Verdict PlaylistNesting::loading(qint64 entry, const QString& address)
{
    // "/music/./list.m3u" loads the same playlist as "/music/list.m3u".
    const QString loaded = QDir::cleanPath(address);
    Entry& self = entries_[entry];
    self.address = loaded;
    int depth = 0;
    for (qint64 up = self.parent; up >= 0; up = entries_.value(up).parent) {
        if (entries_.value(up).address == loaded)
            return Verdict::IncludesItself;
        if (++depth > MaxDepth)
            return Verdict::TooDeep;
    }
    return Verdict::Load;
}

void PlaylistNesting::expanded(qint64 parent, qint64 first, int count)
{
    // A later number for each new entry keeps the chain of parents free of circles.
    if (first <= parent || count <= 0)
        return;
    for (qint64 id = first; id < first + count; ++id)
        entries_[id].parent = parent;
}
