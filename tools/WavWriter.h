#pragma once

#include <QString>

// Writes a short 16-bit mono PCM WAV file holding a sine tone. Used to make the demo
// database's sounds and the media that tests play.
bool writeToneWav(const QString& path, double seconds, double frequencyHz = 440.0,
                  int sampleRate = 8000);
