#include "TaggedMedia.h"

#include <QFile>

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TagLib::String tagText(const QString& text)
{
    return TagLib::String(text.toUtf8().constData(), TagLib::String::UTF8);
}

} // namespace

bool writeSilentMp3(const QString& path, int frames)
{
    // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, mono, no padding: 417 bytes a frame.
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0xC0);
    return writeBytes(path, frame.repeated(frames));
}

bool writeEmptyFlac(const QString& path)
{
    QByteArray bytes("fLaC");
    bytes += QByteArray("\x80\x00\x00\x22", 4); // the last metadata block: stream information, 34 bytes
    bytes += QByteArray("\x10\x00\x10\x00", 4); // block sizes 4096..4096
    bytes += QByteArray(6, '\0');               // frame sizes unknown
    // 44100 Hz (20 bits), 1 channel (3 bits: 0), 16 bits a sample (5 bits: 15), 0 samples (36 bits).
    bytes += QByteArray("\x0A\xC4\x40\xF0\x00\x00\x00\x00", 8);
    bytes += QByteArray(16, '\0'); // MD5 of nothing known
    return writeBytes(path, bytes);
}

bool writeTags(const QString& path, const QString& artist, const QString& title, const QString& genre)
{
    TagLib::FileRef file(QFile::encodeName(path).constData(), false);
    if (file.isNull() || !file.tag())
        return false;
    TagLib::Tag* tag = file.tag();
    tag->setArtist(tagText(artist));
    tag->setTitle(tagText(title));
    tag->setGenre(tagText(genre));
    return file.save();
}
