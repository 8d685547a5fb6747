#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

// Where the window goes at start-up: centred on the screen, at the top on a 600-pixel-high one.
QPoint startupPosition(QSize screen, QSize window);
// Whether the whole command line names a database: it ends in ".VxDatabase", in any case.
bool commandLineNamesDatabase(const QString& commandLine);
// Whether the whole command line names a playlist or M3U file, as a launcher passes one: it
// ends in ".vxplaylist" or ".m3u", in any case.
bool commandLineNamesPlaylist(const QString& commandLine);

// What the program prints and exits with when its only argument is --help (or -h) or --version;
// empty for any other arguments, which start the program.
QString printedAnswer(const QStringList& arguments);
