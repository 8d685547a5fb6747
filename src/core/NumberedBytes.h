#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// Byte strings numbered from 0 in the order they were first met. Each is kept once, in one
// buffer, and found again through an open-addressing table of hashes: few memory accesses per
// lookup where the same few thousand texts come back tens of thousands of times (the artists
// and genres of a library).
class NumberedBytes
{
public:
    NumberedBytes();

    // The number of bytes: the one it got when first met, else the next one. added says which.
    qsizetype numberOf(QByteArrayView bytes, bool& added);
    // How many distinct byte strings were met.
    qsizetype count() const { return qsizetype(starts_.size()) - 1; }

private:
    struct Slot
    {
        quint64 hash = 0;
        qsizetype number = -1; // -1: a free slot
    };
    QByteArrayView bytesOf(qsizetype number) const;
    // The slot holding bytes, or the free slot where they go.
    Slot& find(QByteArrayView bytes, quint64 hash);
    void grow();

    std::vector<Slot> slots_;
    QByteArray buffer_;               // every string met, one after the other
    std::vector<qsizetype> starts_{0}; // where string n starts in buffer_; one more for the end
};

// A quick hash of bytes, eight at a time (Qt's own may fall back to a slow one on machines without
// the processor features it relies on).
quint64 quickHash(QByteArrayView bytes);
