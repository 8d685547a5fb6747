#include "core/NumberedBytes.h"

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

NumberedBytes::NumberedBytes() : slots_(1024) {}

QByteArrayView NumberedBytes::bytesOf(qsizetype number) const
{
    const qsizetype start = starts_[size_t(number)];
    return QByteArrayView(buffer_.constData() + start, starts_[size_t(number) + 1] - start);
}

NumberedBytes::Slot& NumberedBytes::find(QByteArrayView bytes, quint64 hash)
{
    const size_t mask = slots_.size() - 1;
    for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.number < 0 || (slot.hash == hash && bytesOf(slot.number) == bytes))
            return slot;
    }
}

void NumberedBytes::grow()
{
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old)
        if (slot.number >= 0)
            find(bytesOf(slot.number), slot.hash) = slot;
}

qsizetype NumberedBytes::numberOf(QByteArrayView bytes, bool& added)
{
    const quint64 hash = quickHash(bytes);
    Slot& slot = find(bytes, hash);
    added = slot.number < 0;
    if (!added)
        return slot.number;
    slot = {hash, count()};
    buffer_.append(bytes);
    starts_.push_back(buffer_.size());
    const qsizetype number = count() - 1;
    if (count() * 2 > qsizetype(slots_.size()))
        grow();
    return number;
}
