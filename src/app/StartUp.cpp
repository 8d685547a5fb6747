#include "app/StartUp.h"

QPoint startupPosition(QSize screen, QSize window)
{
    const int left = screen.width() / 2 - window.width() / 2;
    int top = screen.height() / 2 - window.height() / 2;
    if (screen.height() == 600) // 9000 twips
        top = 0;
    return {left, top};
}
