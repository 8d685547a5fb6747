#include "tags/LateTagReader.h"

LateTagReader::LateTagReader(const QString& modulePath) : module_(modulePath)
{
}

void LateTagReader::loadModule() const
{
    using Factory = TagReader* (*)();
    const auto make = module_.load() ? reinterpret_cast<Factory>(module_.resolve(FactoryName)) : nullptr;
    if (make)
        real_.reset(make());
    if (!real_)
        problem_ = QStringLiteral("the tag reader could not be loaded: %1").arg(module_.errorString());
}

TagReading LateTagReader::read(const QString& path) const
{
    std::call_once(loaded_, [this] { loadModule(); });
    if (!real_)
        return {{}, problem_};
    return real_->read(path);
}
