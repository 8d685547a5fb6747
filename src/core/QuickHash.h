#pragma once

#include <QByteArrayView>

// A quick hash of bytes, eight at a time, for the open-addressing tables that find texts met
// before (Qt's own may fall back to a slow one on machines without the processor features it
// relies on).
quint64 quickHash(QByteArrayView bytes);
