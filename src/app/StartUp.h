#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

// Where the window goes at start-up: centred on the screen, at the top on a 600-pixel-high one.
QPoint startupPosition(QSize screen, QSize window);
// Whether the whole command line names a database: it ends in ".VxDatabase", in any case.
bool commandLineNamesDatabase(const QString& commandLine);
