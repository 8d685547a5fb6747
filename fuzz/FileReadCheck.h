#pragma once

// Reads fuzz bytes back through the text-file reader, as a file on disk, with a small line limit
// taken from the input, and aborts on any answer that does not fit the bytes.
#include "core/TextLines.h"

#include <QFile>
#include <QString>
#include <cstdlib>
#include <unistd.h>

inline void checkFileRead(QByteArrayView bytes)
{
    static const QString path = QStringLiteral("/tmp/vexolin-fuzz-%1").arg(::getpid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
        return;
    file.close();
    const qsizetype limit = 1 + bytes.size() % 11;
    const TextFileRead read = readTextFile(path, limit);
    const qsizetype lines = splitLines(bytes).size();
    if (!read.problem.isEmpty()) {
        // Only a line longer than any field could be is refused, and then nothing is kept.
        if (bytes.size() <= LongestLine || !read.data.isEmpty() || read.complete)
            std::abort();
        return;
    }
    if (!bytes.startsWith(read.data) || read.complete == read.stoppedAtLimit)
        std::abort();
    if (!read.stoppedAtLimit) {
        if (read.data != bytes || lines > limit)
            std::abort();
        return;
    }
    // Stopped: the kept part is exactly limit whole lines, and the file held more.
    if (splitLines(read.data).size() != limit || !endsWithLineEnd(read.data) || read.data.size() >= bytes.size())
        std::abort();
    if (bytes.contains('\r') == read.data.contains('\r') && lines <= limit)
        std::abort();
    // The lines past the limit are counted by the rule the kept ones were split by.
    const qsizetype byLineFeeds = bytes.count('\n') + (bytes.endsWith('\n') ? 0 : 1);
    if (read.linesPastLimit != (read.data.contains('\r') ? lines : byLineFeeds) - limit)
        std::abort();
}
