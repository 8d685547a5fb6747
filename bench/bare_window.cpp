// The floor of the start-up: a bare main window of the same Qt, ending once it is on screen.
// bench/startup.sh times it beside the program.
#include "app/ExitWhenShown.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(800, 600);
    new ExitWhenShown(window);
    window.show();
    return QApplication::exec();
}
