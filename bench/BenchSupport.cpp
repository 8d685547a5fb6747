#include "BenchSupport.h"

#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/TextLines.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <vector>

void steadyAllocator()
{
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

QString writeLargeDatabase(const QString& folder, int records)
{
    const QString path = folder + QStringLiteral("/Large.VxDatabase");
    QRandomGenerator rng(1999);
    QByteArray out;
    out.reserve(records * 160);
    for (int i = 0; i < records; ++i) {
        const int artist = int(rng.bounded(5000));
        const int genre = int(rng.bounded(300));
        const QByteArray artistName = "Artist number " + QByteArray::number(artist);
        const QByteArray title = "Title " + QByteArray::number(i) + " of the collection";
        out += artistName + "\r\n";
        out += title + "\r\n";
        out += "Genre " + QByteArray::number(genre) + "\r\n";
        out += "/home/someone/Music/Collection/" + artistName + "/Some Album Name (Remastered)/"
               + QByteArray::number(i % 20 + 1) + " - " + title + ".mp3\r\n";
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

double medianMs(int runs, const std::function<void()>& work, const std::function<void()>& setup)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double lineSplittingBaselineMs(const QString& databasePath, int runs)
{
    qsizetype lines = 0;
    const double ms = medianMs(runs, [&] {
        QByteArray data;
        readWholeFile(databasePath, data);
        QStringList text;
        for (QByteArrayView line : splitLines(data))
            text.append(decodeLine(line));
        lines = text.size();
    });
    if (lines == 0)
        qFatal("baseline read no lines");
    return ms;
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void printRatio(const QString& name, double median, double baseline)
{
    std::printf("%s median_ms=%.3f baseline_ms=%.3f ratio=%.2f\n", qPrintable(name), median, baseline,
                median / baseline);
    std::fflush(stdout);
}

void printAddedMb(const QString& name, double addedMb)
{
    std::printf("%s added_mb=%.1f\n", qPrintable(name), addedMb);
    std::fflush(stdout);
}

QString startOnLargeDatabase(JukeboxFixture& fixture)
{
    const QString database = writeLargeDatabase(fixture.dir.path());
    if (fixture.start(database).library().recordCount() != 25000)
        qFatal("the large database did not load");
    return database;
}
