#include "app/StartUp.h"

QPoint startupPosition(QSize screen, QSize window)
{
    const int left = screen.width() / 2 - window.width() / 2;
    int top = screen.height() / 2 - window.height() / 2;
    if (screen.height() == 600) // 9000 twips
        top = 0;
    return {left, top};
}

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
    if (arguments == QStringList{QStringLiteral("--version")})
        return QStringLiteral("Vexolin " VEXOLIN_VERSION "\n");
    if (arguments != QStringList{QStringLiteral("--help")} && arguments != QStringList{QStringLiteral("-h")})
        return {};
    return QStringLiteral(
        "Usage: vexolin [DATABASE | PLAYLIST]\n"
        "       vexolin --help | --version\n"
        "\n"
        "Vexolin, a media jukebox: browse a media database by genre, artist and title, build\n"
        "playlists and play them.\n"
        "\n"
        "The whole command line is taken as one path:\n"
        "  DATABASE   a file ending in .VxDatabase (any letter case) is opened as the database\n"
        "  PLAYLIST   a file ending in .vxplaylist or .m3u has its entries put into the playlist\n"
        "Anything else on the command line is ignored.\n"
        "\n"
        "  -h, --help   print this text and exit\n"
        "  --version    print the version and exit\n"
        "\n"
        "While it runs, the desktop's media keys drive it over MPRIS (org.mpris.MediaPlayer2.vexolin).\n");
}
