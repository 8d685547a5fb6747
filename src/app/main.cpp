#include "app/CommandLine.h"
#include "app/ExitWhenShown.h"
#include "app/HelpPage.h"
#include "app/Jukebox.h"
#include "app/RequestedFiles.h"
#include "app/SingleInstance.h"
#include "app/TerminationHandler.h"
#include "app/WhenShown.h"
#include "player/LatePlayer.h"
#include "player/MpvPlayer.h"
#include "tags/LateTagReader.h"
#include "ui/mpris/MprisService.h"
#include "ui/seams/QtSeams.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScreen>
#include <QStringList>
#include <QTime>
#include <cstdio>
#include <future>

namespace {

// Where one of the program's modules lies: beside the program in the build folder, else in its
// folder under the installation's library folder.
QString modulePath(const QString& folder, const QString& fileName)
{
    const QString programFolder = QApplication::applicationDirPath();
    const QString beside = programFolder + u'/' + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    return programFolder + QStringLiteral("/" VEXOLIN_MODULES_FROM_PROGRAM "/") + folder + u'/' + fileName;
}

} // namespace

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

    // The arguments left once Qt has taken its own.
    const CommandLine commandLine = readCommandLine(QApplication::arguments().mid(1));

    // One Vexolin per desktop session: a later start hands its files to the first and ends. The
    // name is claimed on a thread of its own while the window is made (reaching the bus takes a
    // few milliseconds, longer where there is none), and the claim is settled before any file is
    // opened or the window shown, so that starts close together find each other.
    SingleInstance instance;
    std::future<SingleInstance::Outcome> claim = std::async(std::launch::async, [&instance, &commandLine] {
        if (commandLine.newWindow)
            return SingleInstance::Alone;
        return instance.serveOrHandOver(QDBusConnection::sessionBus(), commandLine.files);
    });

    // The player and its libraries load once the window is on screen.
    LatePlayer player(modulePath(QStringLiteral("player"), QStringLiteral("vexolin-mpv.so")), MpvPlayer::Embedded);
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    DesktopShell shell;
    // The tag reader and TagLib load on the first read.
    LateTagReader tags(modulePath(QStringLiteral("tags"), QStringLiteral("vexolin-tags.so")));
    // Seeded from the seconds since midnight.
    QRandomGenerator random(quint32(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    Jukebox jukebox({player, fileDialog, messageBox, shell, tags, [&random] { return random.generateDouble(); }, {},
                     helpFolders(QApplication::applicationDirPath())});
    switch (claim.get()) {
    case SingleInstance::HandedOver: return 0;
    case SingleInstance::Failed:
        std::fprintf(stderr, "vexolin: %s\n", instance.problem().toLocal8Bit().constData());
        return 1;
    case SingleInstance::Serving:
    case SingleInstance::Alone: break;
    }
    // Opened once start-up is over and the window is free.
    QObject::connect(&instance, &SingleInstance::filesHandedOver, &jukebox.requestedFiles(),
                     &RequestedFiles::openHandedOver);
    jukebox.start(commandLine.files, QApplication::primaryScreen()->geometry().size());
    // Set only when timing the start-up (bench/startup.sh).
    if (qEnvironmentVariableIsSet("VEXOLIN_EXIT_WHEN_SHOWN"))
        new ExitWhenShown(jukebox.window());
    new WhenShown(jukebox.window(), [&player] { player.load(); });
    jukebox.window().show();

    // The media keys and widgets of the desktop, when there is a session bus.
    MprisService mpris(jukebox.remoteControl(), QDBusConnection::sessionBus());

    TerminationHandler termination;
    QObject::connect(&termination, &TerminationHandler::terminationRequested, &jukebox.window(), &QWidget::close);
    return QApplication::exec();
}
