// The floor of the start-up and of the idle wake-ups: a bare main window of the same Qt. With
// VEXOLIN_EXIT_WHEN_SHOWN set it ends once it is on screen (bench/startup.sh times it beside the
// program); otherwise it stays until closed (bench/idle.sh counts its wake-ups).
#include "app/ExitWhenShown.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    if (qEnvironmentVariableIsSet("VEXOLIN_EXIT_WHEN_SHOWN"))
        new ExitWhenShown(window);
    window.show();
    return QApplication::exec();
}
