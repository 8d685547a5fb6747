#include "app/ToolWindowPlacement.h"

#include "app/Form1.h"

void showToolWindowOverPlayer(QWidget& window, const Form1& form, QWidget& focus)
{
    const QRect player = form.MediaPlayer1->geometry();
    const QRect main = form.frameGeometry();
    window.move(main.left() + player.left() + player.width() / 2 - window.width() / 2,
                main.top() + qRound(2.3 * player.top() + 1000 / 15.0));
    window.show();
    window.raise();
    window.activateWindow();
    focus.setFocus();
}
