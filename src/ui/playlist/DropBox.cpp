#include "ui/playlist/DropBox.h"

#include "ui/playlist/ExternalDrops.h"
#include "ui/window/ControlLayout.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QScreen>

void setOnTop(QWidget* window, bool on)
{
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = !window->isHidden();
    const QPoint place = window->pos();
    // Changing a window's flags hides it: show it again where it was.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window->move(place);
    if (shown)
        window->show();
}

DropBoxWindow::DropBoxWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      picture(new QLabel(this))
{
    setObjectName(QStringLiteral("dropBoxWindow"));
    setWindowTitle(QStringLiteral("Drop Box"));
    setFixedSize(twips(810), twips(780));
    picture->setObjectName(QStringLiteral("picture"));
    picture->setAccessibleName(QStringLiteral("Drop files here"));
    picture->setGeometry(twips(140), twips(120), twips(495), twips(495));
    picture->setAlignment(Qt::AlignCenter);
    picture->installEventFilter(this);
}

void DropBoxWindow::mouseDoubleClickEvent(QMouseEvent*)
{
    emit dismissed();
}

void DropBoxWindow::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window (it is not deleted), so it keeps its place for the next
    // showing, and the menu item never stays checked for a window that is gone.
    event->accept();
    emit dismissed();
}

void DropBoxWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !isHidden())
        emit deactivated();
    QWidget::changeEvent(event);
}

bool DropBoxWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picture && event->type() == QEvent::MouseButtonDblClick) {
        emit dismissed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

DropBox::DropBox(MainWindow& window, ExternalDrops& drops) : QObject(&window), window_(window), drops_(drops)
{
    connect(window_.dropBoxAction, &QAction::triggered, this, &DropBox::toggle);
}

DropBox::~DropBox() = default;

void DropBox::toggle()
{
    // A checkable action has already toggled its check mark when triggered: the window's own
    // visibility says which way to go.
    if (!box_ || box_->isHidden()) {
        window_.dropBoxAction->setChecked(true);
        if (!box_)
            makeWindow();
        setOnTop(box_.get(), true);
        box_->show();
    } else {
        window_.dropBoxAction->setChecked(false);
        box_->hide();
        setOnTop(box_.get(), false);
    }
}

void DropBox::makeWindow()
{
    box_ = std::make_unique<DropBoxWindow>();
    const QScreen* screen = window_.screen();
    const QPoint corner = screen ? screen->geometry().topLeft() : QPoint();
    box_->move(corner + QPoint(twips(300), twips(300)));
    box_->setWindowIcon(window_.windowIcon());
    box_->picture->setPixmap(QPixmap(QStringLiteral(":/vexolin.xpm")));
    drops_.acceptDropsOn(box_.get());
    drops_.acceptDropsOn(box_->picture);
    // Losing the focus puts it on top again.
    connect(box_.get(), &DropBoxWindow::deactivated, this, [this] { setOnTop(box_.get(), true); });
    connect(box_.get(), &DropBoxWindow::dismissed, this, &DropBox::dismiss);
    setOnTop(box_.get(), true);
}

void DropBox::dismiss()
{
    box_->hide();
    setOnTop(box_.get(), false);
    window_.dropBoxAction->setChecked(false);
}
