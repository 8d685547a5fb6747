#pragma once

#include "core/TagReader.h"

#include <QLibrary>
#include <QString>
#include <memory>
#include <mutex>

// The tag reader that loads on first use. The real reader (the TagLib one, with the library it
// needs) lives in a module of its own, read on the first read(), exactly once however many
// threads read at the same time (the others wait for it); every read then goes to it.
//
// A module that cannot be loaded leaves a reader whose every read gives the same problem: "the
// tag reader could not be loaded: <why>".
class LateTagReader : public TagReader
{
public:
    explicit LateTagReader(const QString& modulePath);

    TagReading read(const QString& path) const override;

    // The name the module's factory is exported under: `TagReader* ()`, the reader made with
    // `new`, owned by the caller.
    static constexpr char FactoryName[] = "vexolinMakeTagReader";

private:
    // Reads the module and makes the real reader, or says why it cannot.
    void loadModule() const;

    // Filled once, under loaded_; only read from then on. The module stays loaded once the
    // QLibrary goes (it is never unloaded), so the real reader's code outlives the reader.
    mutable std::once_flag loaded_;
    mutable QLibrary module_;
    mutable std::unique_ptr<TagReader> real_;
    mutable QString problem_;
};
