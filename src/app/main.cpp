#include "app/Jukebox.h"
#include "app/TerminationHandler.h"
#include "player/MpvPlayer.h"
#include "ui/seams/QtSeams.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QScreen>
#include <QStringList>
#include <QTime>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexolin"));

    // The program's arguments joined by single blanks are the whole command line.
    const QString commandLine = QApplication::arguments().mid(1).join(QChar(' '));

    MpvPlayer player(MpvPlayer::Embedded);
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    DesktopShell shell;
    // Seeded from the seconds since midnight.
    QRandomGenerator random(quint32(QTime::currentTime().msecsSinceStartOfDay() / 1000));
    Jukebox jukebox({player, fileDialog, messageBox, shell, [&random] { return random.generateDouble(); }});
    jukebox.start(commandLine, QApplication::primaryScreen()->geometry().size());
    jukebox.window().show();

    TerminationHandler termination;
    QObject::connect(&termination, &TerminationHandler::terminationRequested, &jukebox.window(), &QWidget::close);
    return QApplication::exec();
}
