#pragma once

#include <QString>
#include <QStringList>

// The program's command line: what it asks the program to print, to open, and whether it wants a
// window of its own.

// Whether the whole command line names a database: it ends in ".VxDatabase", in any case.
bool commandLineNamesDatabase(const QString& commandLine);
// Whether the whole command line names a playlist or M3U file, as a launcher passes one: it
// ends in ".vxplaylist" or ".m3u", in any case.
bool commandLineNamesPlaylist(const QString& commandLine);

// What the program prints and exits with when an argument is --help (or -h) or --version (the
// first of them answers); empty when none is given and the program starts.
QString printedAnswer(const QStringList& arguments);

// What a file named on the command line, or handed over by a later start, is taken as.
enum class FileKind { Database, Playlist, Media };
// By its name: ".VxDatabase" a database; ".vxplaylist" or ".m3u" a playlist; anything else media.
FileKind kindOfFile(const QString& path);

// What a start asks for.
struct CommandLine
{
    // --new-window: a Vexolin of its own, even when one runs in the session already.
    bool newWindow = false;
    // The files to open, in order; each is what kindOfFile says.
    QStringList files;
};

// Reads the program's arguments (without the program's name; --help and --version are answered
// before). The arguments joined by single blanks are the whole command line: naming a database, it
// is taken as that one path, as it stands; so is one naming a playlist when it is the only
// argument or a file of that name is there. Otherwise every argument naming a playlist or M3U
// file, or a media file that is there, is taken, made absolute; anything else is left out (a
// database among several arguments too: only the whole command line names one).
CommandLine readCommandLine(const QStringList& arguments);
