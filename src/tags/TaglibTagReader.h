#pragma once

#include "core/TagReader.h"

// Reads tags with TagLib: ID3v1 and ID3v2, Vorbis comments, MP4, FLAC, APE, ASF and the other
// kinds it knows, the kind told by the file's extension or, failing that, its content.
class TaglibTagReader : public TagReader
{
public:
    TagReading read(const QString& path) const override;
};
