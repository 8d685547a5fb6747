// The player's address check and the nesting of the playlists it expands.
//
// Input: an address (UTF-8) for the check; the same bytes, read as a list of steps, drive the
// nesting: each step is three bytes (an entry, a parent, a count), an odd count expanding a
// playlist and an even one loading an address made from the step.
#include "core/MediaAddress.h"
#include "core/PlaylistNesting.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

// The player's own rule for a stream: a letter, then letters, digits, '+', '-' or '.', then "://".
bool playerTakesForStream(const QString& text)
{
    const qsizetype end = text.indexOf(QLatin1String("://"));
    if (end < 1)
        return false;
    for (qsizetype i = 0; i < end; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!(letter || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))))
            return false;
    }
    return true;
}

void checkAddress(const QString& address)
{
    const QString handed = playerAddress(address, QStringLiteral("/base"));
    if (handed.isEmpty())
        return;
    // What reaches the player is an absolute path or one of the network streams, never its
    // standard input, and checking it again changes nothing.
    if (playerTakesForStream(handed)) {
        if (addressKind(handed) != AddressKind::NetworkStream || handed != address)
            std::abort();
    } else if (!handed.startsWith(u'/')) {
        std::abort();
    }
    if (playerAddress(handed, QStringLiteral("/elsewhere")) != handed)
        std::abort();
}

void checkNesting(const uint8_t* data, size_t size)
{
    PlaylistNesting nesting;
    for (size_t i = 0; i + 3 <= size; i += 3) {
        const qint64 entry = data[i];
        if (data[i + 2] & 1) {
            nesting.expanded(data[i + 1], entry, data[i + 2] >> 1);
            continue;
        }
        const QString address = QStringLiteral("/m/%1.m3u").arg(data[i + 1] % 8);
        const PlaylistNesting::Verdict verdict = nesting.loading(entry, address);
        // Loading the same address again at once, as the same entry, gives the same answer.
        if (nesting.loading(entry, address) != verdict)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkAddress(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    checkNesting(data, size);
    return 0;
}
