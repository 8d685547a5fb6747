#include "ui/about/AboutWindow.h"

#include "ui/window/ControlLayout.h"
#include "ui/window/MainWindow.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

AboutWindow::AboutWindow(MainWindow& window)
    : QDialog(&window, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), window_(window)
{
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("About Vexolin"));
    setModal(false);
    setFixedSize(twips(3615), twips(3900));
    const char* texts[5] = {"Vexolin", "By", "the Vexolin team", "In 1999", "Freeware"};
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(24);
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QString::fromLatin1(texts[i]), this);
        label->setObjectName(QStringLiteral("aboutLine%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(font);
        label->setWordWrap(true);
        // 570 twips apart from 1020 on, not 480 from 1080: a 24-point line is taller than 480
        // twips, which cut descenders; the five lines still fit the window.
        label->setGeometry(0, twips(1020 + 570 * i), width(), twips(570));
        label->installEventFilter(this);
        lines_[i] = label;
    }
}

void AboutWindow::setTitleText(const QString& text)
{
    lines_[0]->setText(text);
}

void AboutWindow::showOverPlayer()
{
    const QRect player = window_.playerArea->geometry();
    const QRect main = window_.frameGeometry();
    // Centred over the player horizontally; vertically at four times the player's top, both from
    // the main window's outer edges, as the tool windows are placed.
    move(main.left() + player.left() + player.width() / 2 - width() / 2, main.top() + player.top() * 4);
    show();
    raise();
    activateWindow();
    setFocus();
}

bool AboutWindow::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::WindowDeactivate)
        hide();
    return QDialog::event(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        hide();
    return QDialog::eventFilter(watched, event);
}
