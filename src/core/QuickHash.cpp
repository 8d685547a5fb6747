#include "core/QuickHash.h"

#include <cstring>

quint64 quickHash(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    qsizetype left = bytes.size();
    quint64 h = 0x9E3779B97F4A7C15ull ^ quint64(left);
    for (; left >= 8; left -= 8, p += 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    for (; left > 0; --left, ++p)
        h = (h ^ *p) * 0x100000001B3ull;
    return h ^ (h >> 29);
}
