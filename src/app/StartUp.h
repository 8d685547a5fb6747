#pragma once

#include <QPoint>
#include <QSize>

// Where the window goes at start-up: centred on the screen, at the top on a 600-pixel-high one.
QPoint startupPosition(QSize screen, QSize window);
