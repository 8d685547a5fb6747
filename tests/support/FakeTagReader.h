#pragma once

#include "core/TagReader.h"

#include <QHash>
#include <QString>
#include <functional>

// Tags from tables the test fills: a path in `tags` reads as those tags, a path in `unreadable`
// cannot be read for the reason given, any other path reads as a file without tags, or through
// `otherwise` when that is set. Once filled, it may be read from several threads at once.
class FakeTagReader : public TagReader
{
public:
    QHash<QString, MediaTags> tags;
    QHash<QString, QString> unreadable;
    // Called on the reading thread before each read, when set.
    std::function<void(const QString& path)> beforeRead;
    const TagReader* otherwise = nullptr;

    TagReading read(const QString& path) const override
    {
        if (beforeRead)
            beforeRead(path);
        if (const auto problem = unreadable.constFind(path); problem != unreadable.cend())
            return {{}, *problem};
        if (const auto found = tags.constFind(path); found != tags.cend() || !otherwise)
            return {found != tags.cend() ? *found : MediaTags(), {}};
        return otherwise->read(path);
    }
};
