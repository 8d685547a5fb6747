#pragma once

#include <QByteArrayView>

#include <cstring>

// A quick hash of bytes, for the open-addressing tables that find texts met before (Qt's own may
// fall back to a slow one on machines without the processor features it relies on). Every byte
// counts; up to 16 bytes are taken as two words that mix side by side.
inline quint64 quickHash(QByteArrayView bytes)
{
    const auto word = [](const char* at) {
        quint64 w;
        std::memcpy(&w, at, 8);
        return w;
    };
    const auto mixed = [](quint64 x) {
        x *= 0xFF51AFD7ED558CCDull;
        return x ^ (x >> 32);
    };
    const char* p = bytes.data();
    const size_t n = size_t(bytes.size());
    const quint64 seed = 0x9E3779B97F4A7C15ull * (n + 1);
    if (n < 8) {
        quint64 w = 0;
        if (n > 0)
            std::memcpy(&w, p, n);
        return mixed(mixed(w ^ seed));
    }
    // The last word overlaps the one before it where n is not a multiple of 8.
    quint64 h = seed;
    const char* const last = p + n - 8;
    for (; p + 8 < last; p += 8)
        h = mixed(h ^ word(p));
    return mixed(mixed(h ^ word(p)) + mixed(word(last) ^ 0xC2B2AE3D27D4EB4Full));
}

// The slot count of an open-addressing table that is to hold about `expected` entries (at most
// half full, to start with): a power of two, 1024 at least.
inline size_t hashTableSize(qsizetype expected)
{
    size_t size = 1024;
    while (size < 2 * size_t(qMin<qsizetype>(expected, qsizetype(1) << 20)))
        size *= 2;
    return size;
}
