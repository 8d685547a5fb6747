#include "ui/window/ToolWindowPlacement.h"

#include "ui/window/MainWindow.h"

void showToolWindowOverPlayer(QWidget& window, const MainWindow& mainWindow, QWidget& focus)
{
    const QRect player = mainWindow.playerArea->geometry();
    const QRect main = mainWindow.frameGeometry();
    window.move(main.left() + player.left() + player.width() / 2 - window.width() / 2,
                main.top() + qRound(2.3 * player.top() + 1000 / 15.0));
    window.show();
    window.raise();
    window.activateWindow();
    focus.setFocus();
}
