// A stand-in for the tag reader module that counts the readers it is asked to make and takes its
// time making each, so that reads started meanwhile on other threads arrive while it loads.
#include "core/TagReader.h"

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> readersMade{0};

// Reads every file as tagged with its own path as the title.
class PathAsTitleReader : public TagReader
{
public:
    TagReading read(const QString& path) const override { return {{{}, path, {}}, {}}; }
};

} // namespace

extern "C" Q_DECL_EXPORT TagReader* vexolinMakeTagReader()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ++readersMade;
    return new PathAsTitleReader;
}

extern "C" Q_DECL_EXPORT int countingTagReadersMade()
{
    return readersMade.load();
}
