#pragma once

#include <QHash>
#include <QString>

// The playlists the media player expands while one media plays, entry by entry: tells an entry
// that loads one of the playlists it came from (a playlist that includes itself, directly or
// through others) or that lies deeper than MaxDepth playlists, so that the media can end there
// rather than expand for ever.
class PlaylistNesting
{
public:
    enum class Verdict { Load, IncludesItself, TooDeep };
    static constexpr int MaxDepth = 5;

    // A new media: no entry is known.
    void clear() { entries_.clear(); }
    // Entry `entry` is about to load `address`; an entry never seen is a media of its own.
    Verdict loading(qint64 entry, const QString& address);
    // Entry `parent` was a playlist and was replaced by the `count` entries numbered from `first`
    // on (entry numbers only grow).
    void expanded(qint64 parent, qint64 first, int count);

private:
    struct Entry
    {
        qint64 parent = -1;
        QString address;
    };
    QHash<qint64, Entry> entries_;
};
