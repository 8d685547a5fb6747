// Generates the demo database and the short tones it names, into the folder given; the tones
// last 3 seconds unless a length in seconds follows the folder.
#include "WavWriter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    const double seconds = argc == 3 ? QByteArray(argv[2]).toDouble() : 3.0;
    if (argc < 2 || argc > 3 || seconds <= 0) {
        std::fprintf(stderr, "usage: make_demo <folder> [seconds]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder + "/media");

    struct Demo { const char* artist; const char* title; const char* genre; double hz; };
    const Demo records[] = {
        {"The Examples", "First Song", "Pop", 440},
        {"The Examples", "Second Song", "Pop", 494},
        {"The Examples", "Night Drive", "Rock", 523},
        {"Abba Cadabra", "Dancing Tone", "Pop", 587},
        {"Abba Cadabra", "Mamma Sine", "Pop", 659},
        {"Granite", "Heavy Square", "Rock", 330},
        {"Granite", "Stone Cold", "Rock", 349},
        {"Miles Ahead", "Blue Hertz", "Jazz", 392},
        {"Miles Ahead", "So What Frequency", "Jazz", 415},
        {"Nina Tone", "Feeling Good Vibes", "Jazz", 466},
        {"Orchestra Nova", "Prelude in A", "Classical", 220},
        {"Orchestra Nova", "Little Night Tone", "Classical", 262},
    };

    QFile db(folder + "/Demo.VxDatabase");
    if (!db.open(QIODevice::WriteOnly))
        return 1;
    int n = 0;
    for (const Demo& r : records) {
        const QString name = QString("tone%1.wav").arg(++n, 2, 10, QChar('0'));
        if (!writeToneWav(folder + "/media/" + name, seconds, r.hz))
            return 1;
        const QString lines = QString("%1\r\n%2\r\n%3\r\n#:/media/%4\r\n")
                                  .arg(r.artist, r.title, r.genre, name);
        db.write(lines.toUtf8());
    }
    return db.flush() ? 0 : 1;
}
