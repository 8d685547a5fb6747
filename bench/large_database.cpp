// Writes the benchmarks' database of 25000 records (see writeLargeDatabase) into a folder and
// prints its path: for the scripts that measure the program from outside (bench/idle.sh).
#include "BenchSupport.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: large_database <folder>\n", stderr);
        return 2;
    }
    std::puts(qPrintable(writeLargeDatabase(QString::fromLocal8Bit(argv[1]))));
    return 0;
}
