#pragma once

#include <QString>
#include <functional>

// Shared pieces of the benchmarks. Every measure prints one line:
//   <name> median_ms=<x> baseline_ms=<y> ratio=<x/y>
//   <name> added_mb=<z>

// Fixes when the allocator maps large blocks afresh and when it gives memory back to the
// system. Left to itself, glibc decides both from what was freed before, so a measure (reading a
// whole database file, say) costs some milliseconds more or less by the history of the process,
// not by its own work. Call first in main().
void steadyAllocator();

// Writes a database of `records` records (5000 artists, 300 genres, paths of realistic length)
// and returns its path. The same arguments always give the same file.
QString writeLargeDatabase(const QString& folder, int records = 25000);

// Starts the fixture's window on a fresh large database (written into the fixture's folder) and
// returns its path; stops the benchmark when the load does not give every record.
struct JukeboxFixture;
QString startOnLargeDatabase(JukeboxFixture& fixture);

// Median wall time in milliseconds of `runs` runs of work; setup runs before each, untimed.
double medianMs(int runs, const std::function<void()>& work, const std::function<void()>& setup = {});

// The baseline every speed target is measured against: reading the database file and
// splitting it into lines of text with the program's own line reader (median of `runs`).
double lineSplittingBaselineMs(const QString& databasePath, int runs = 15);

// The process's resident memory in megabytes.
double residentMb();

void printRatio(const QString& name, double medianMs, double baselineMs);
void printAddedMb(const QString& name, double addedMb);
