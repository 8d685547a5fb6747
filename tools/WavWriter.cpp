#include "WavWriter.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <cmath>

namespace {
void putU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void putU16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
} // namespace

bool writeToneWav(const QString& path, double seconds, double frequencyHz, int sampleRate)
{
    const quint32 samples = quint32(seconds * sampleRate);
    const quint32 dataBytes = samples * 2;
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    putU32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    putU32(out, 16);
    putU16(out, 1);                       // PCM
    putU16(out, 1);                       // mono
    putU32(out, quint32(sampleRate));
    putU32(out, quint32(sampleRate) * 2); // byte rate
    putU16(out, 2);                       // block align
    putU16(out, 16);                      // bits per sample
    out.append("data");
    putU32(out, dataBytes);
    for (quint32 i = 0; i < samples; ++i) {
        const double t = double(i) / sampleRate;
        putU16(out, quint16(qint16(8000.0 * std::sin(2.0 * M_PI * frequencyHz * t))));
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}
