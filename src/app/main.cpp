#include "app/DesktopPlatform.h"
#include "app/Form1.h"
#include "app/TerminationHandler.h"
#include "playback/MpvPlayer.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexolin"));

    // The program's arguments joined by single blanks are the whole command line.
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString commandLine = arguments.join(QChar(' '));

    MpvPlayer player(MpvPlayer::Embedded);
    QtFileDialog fileDialog;
    QtMessageBox messageBox;
    DesktopShell shell;
    Form1 form(Platform{&player, &fileDialog, &messageBox, &shell});
    form.Form_Load(commandLine, QApplication::primaryScreen()->geometry().size());
    form.show();

    TerminationHandler termination;
    QObject::connect(&termination, &TerminationHandler::terminationRequested, &form, &QWidget::close);
    return QApplication::exec();
}
