#pragma once

#include <QString>

// Small media files with tags, made by the tests themselves: silent MP3 frames, a FLAC stream
// header, a WAV tone (tools/WavWriter), each tagged with TagLib.

// A few silent MPEG-1 Layer III frames.
bool writeSilentMp3(const QString& path, int frames = 4);
// A FLAC stream holding only its stream information.
bool writeEmptyFlac(const QString& path);
// Writes artist, title and genre into the file's tags (ID3v2 and ID3v1 for MP3, Vorbis comments
// for FLAC, ID3v2 and RIFF INFO for WAV); an empty text leaves that tag out.
bool writeTags(const QString& path, const QString& artist, const QString& title, const QString& genre);
