#include "app/ExitWhenShown.h"
#include "app/HelpPage.h"
#include "app/Jukebox.h"
#include "app/StartUp.h"
#include "app/TerminationHandler.h"
#include "player/MpvPlayer.h"
#include "ui/mpris/MprisService.h"
#include "ui/seams/QtSeams.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QRandomGenerator>
#include <QScreen>
#include <QStringList>
#include <QTime>
#include <cstdio>

int main(int argc, char** argv)
{
    // --help and --version are answered before anything needs a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const QString answer = printedAnswer(arguments); !answer.isEmpty()) {
        std::fputs(answer.toLocal8Bit().constData(), stdout);
        return 0;
    }

    // A native widget (the notice over the video) makes no native windows of its siblings.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexolin"));
    // The launcher that the desktop shows for this window and its media widgets.
    QApplication::setDesktopFileName(QStringLiteral("vexolin"));

    // The program's arguments joined by single blanks are the whole command line.
    const QString commandLine = QApplication::arguments().mid(1).join(QChar(' '));

    MpvPlayer player(MpvPlayer::Embedded);
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    DesktopShell shell;
    // Seeded from the seconds since midnight.
    QRandomGenerator random(quint32(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    Jukebox jukebox({player, fileDialog, messageBox, shell, [&random] { return random.generateDouble(); }, {},
                     helpFolders(QApplication::applicationDirPath())});
    jukebox.start(commandLine, QApplication::primaryScreen()->geometry().size());
    // Set only when timing the start-up (bench/startup.sh).
    if (qEnvironmentVariableIsSet("VEXOLIN_EXIT_WHEN_SHOWN"))
        new ExitWhenShown(jukebox.window());
    jukebox.window().show();

    // The media keys and widgets of the desktop, when there is a session bus.
    MprisService mpris(jukebox.remoteControl(), QDBusConnection::sessionBus());

    TerminationHandler termination;
    QObject::connect(&termination, &TerminationHandler::terminationRequested, &jukebox.window(), &QWidget::close);
    return QApplication::exec();
}
