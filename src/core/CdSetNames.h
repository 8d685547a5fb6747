#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

// The naming rules of a CD set: the folder of the copies, the names of the copies, the file
// lines of the set's database, the database's own name and the readme.

inline constexpr QStringView MediaFolderName = u"mediafiles";
// The longest file name the file systems of the set take, in UTF-8 bytes.
inline constexpr int MaxFileNameBytes = 255;

// The extension of a stored file path: from the last "." to the end, blanks trimmed, dot
// included. A path without any "." gives the whole trimmed path.
QString extensionOfStoredFile(QStringView storedFile);

// "<artist>-<title><extension>" of the trimmed artist and title.
QString mediaFileName(QStringView artist, QStringView title, QStringView extension);

// Whether name can be written as one file directly inside a folder: not empty, not "." or
// "..", no "/" or "\" (a separator where the set may be read), no control character, valid
// Unicode, and at most MaxFileNameBytes bytes in UTF-8.
bool isSafeFileName(QStringView name);

// Whether path, once "." and ".." are resolved, lies inside folder (not the folder itself).
bool staysInside(const QString& folder, const QString& path);

// The file line of a copied medium in the set's database: relative to the database's folder,
// "#:/mediafiles/<name>", so the set finds its media wherever it is mounted.
QString portableFileLine(QStringView name);

// The database name as the user gave it, with ".VxDatabase" appended unless it already ends so
// (in any case).
QString databaseNameWithExtension(const QString& name);

// The ten lines of readme.txt.
QStringList readmeLines();
// readme.txt while the set is not whole: a notice that it is incomplete, then the ten lines. The
// set carries it from its start until its last file is written, so a set whose copy failed or
// was cut off says what it is.
QStringList incompleteReadmeLines();

// " n files to copy," followed by the size text of the kilobytes still to copy.
QString copyProgressText(int filesToCopy, qint64 kilobytes);
