#include "app/CommandLine.h"

#include <QFileInfo>

namespace {
const QString NewWindowOption = QStringLiteral("--new-window");
const QString VersionOption = QStringLiteral("--version");
const QString HelpOption = QStringLiteral("--help");
const QString ShortHelpOption = QStringLiteral("-h");

QString versionText()
{
    return QStringLiteral("Vexolin " VEXOLIN_VERSION "\n");
}

QString helpText()
{
    return QStringLiteral(
        "Usage: vexolin [--new-window] [DATABASE | PLAYLIST | FILE...]\n"
        "       vexolin --help | --version\n"
        "\n"
        "Vexolin, a media jukebox: browse a media database by genre, artist and title, build\n"
        "playlists and play them.\n"
        "\n"
        "A command line that names a database or a playlist is taken whole as one path:\n"
        "  DATABASE   a file ending in .VxDatabase (any letter case) is opened as the database\n"
        "  PLAYLIST   a file ending in .vxplaylist or .m3u has its entries put into the playlist\n"
        "Otherwise each FILE is added to the playlist: a playlist or M3U file with its entries,\n"
        "a media file as it is; the first media file plays. Anything else is ignored.\n"
        "\n"
        "When Vexolin runs already in this desktop session, that window opens the files (or,\n"
        "given none, comes to the front) and this start ends.\n"
        "\n"
        "  --new-window   start a Vexolin of its own, even when one runs already\n"
        "  -h, --help     print this text and exit\n"
        "  --version      print the version and exit\n"
        "\n"
        "While it runs, the desktop's media keys drive it over MPRIS (org.mpris.MediaPlayer2.vexolin).\n");
}
} // namespace

bool commandLineNamesDatabase(const QString& commandLine)
{
    return commandLine.right(11).compare(QLatin1String(".VXDATABASE"), Qt::CaseInsensitive) == 0;
}

bool commandLineNamesPlaylist(const QString& commandLine)
{
    return commandLine.endsWith(QLatin1String(".vxplaylist"), Qt::CaseInsensitive)
           || commandLine.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive);
}

QString printedAnswer(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument == VersionOption)
            return versionText();
        if (argument == HelpOption || argument == ShortHelpOption)
            return helpText();
    }
    return {};
}

FileKind kindOfFile(const QString& path)
{
    if (commandLineNamesDatabase(path))
        return FileKind::Database;
    if (commandLineNamesPlaylist(path))
        return FileKind::Playlist;
    return FileKind::Media;
}

CommandLine readCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QStringList paths;
    for (const QString& argument : arguments) {
        if (argument == NewWindowOption)
            line.newWindow = true;
        else
            paths.append(argument);
    }
    const QString whole = paths.join(QLatin1Char(' '));
    if (whole.isEmpty())
        return line;
    // A path holding blanks arrives split into several arguments when it was not quoted.
    const FileKind wholeKind = kindOfFile(whole);
    if (wholeKind == FileKind::Database
        || (wholeKind == FileKind::Playlist && (paths.size() == 1 || QFileInfo(whole).isFile()))) {
        line.files = QStringList{whole};
        return line;
    }
    for (const QString& path : paths) {
        const QFileInfo file(path);
        switch (kindOfFile(path)) {
        case FileKind::Database: break;
        case FileKind::Playlist: line.files.append(file.absoluteFilePath()); break;
        case FileKind::Media:
            if (file.isFile())
                line.files.append(file.absoluteFilePath());
            break;
        }
    }
    return line;
}
