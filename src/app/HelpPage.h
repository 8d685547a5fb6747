#pragma once

#include <QString>
#include <QStringList>

// The page Help > Help opens: "Vexolin.htm" of the current directory when there is one there,
// otherwise the first copy found in folders (beside the program, then the installed one).
// When there is none at all, the current directory's name, which the viewer reports missing.
QString helpPageLocation(const QStringList& folders);

// Where Help looks after the current directory, for a program in programFolder: beside the
// program (the build folder), then the copy installed with it (share/vexolin of its installation).
QStringList helpFolders(const QString& programFolder);
