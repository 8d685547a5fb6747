// The module the program loads on its first tag read (see LateTagReader): the TagLib reader, with
// the library it needs, behind one exported factory.
#include "tags/LateTagReader.h"
#include "tags/TaglibTagReader.h"

#include <string_view>

extern "C" Q_DECL_EXPORT TagReader* vexolinMakeTagReader()
{
    return new TaglibTagReader;
}

// The factory's name is the one LateTagReader looks for.
static_assert(std::string_view(LateTagReader::FactoryName) == "vexolinMakeTagReader");
