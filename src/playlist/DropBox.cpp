#include "playlist/DropBox.h"

#include "app/ControlInventory.h"
#include "app/Form1.h"
#include "playlist/ExternalDrops.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QScreen>

void SetOnTop(QWidget* window, bool on)
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

DropBoxWindow::DropBoxWindow(DropBoxPart& part)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      part_(part)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Drop Box"));
    setFixedSize(twips(810), twips(780));
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Drop files here"));
    Picture1->setGeometry(twips(140), twips(120), twips(495), twips(495));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->installEventFilter(this);
}

void DropBoxWindow::mouseDoubleClickEvent(QMouseEvent*)
{
    part_.Form_DblClick();
}

void DropBoxWindow::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window (it is not deleted), so it keeps its place for the next showing.
    event->accept();
    part_.Form_Unload();
}

void DropBoxWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !isHidden())
        part_.Form_LostFocus();
    QWidget::changeEvent(event);
}

bool DropBoxWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Picture1 && event->type() == QEvent::MouseButtonDblClick) {
        part_.Picture1_DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

DropBoxPart::DropBoxPart(Form1& form) : form_(form)
{
    QObject::connect(form_.DropBox, &QAction::triggered, &form_, [this] { DropBox_Click(); });
}

DropBoxPart::~DropBoxPart() = default;

void DropBoxPart::DropBox_Click()
{
    // A checkable action has already toggled its check mark when triggered: the window's own
    // visibility says which way to go.
    if (!Form5 || Form5->isHidden()) {
        form_.DropBox->setChecked(true);
        if (!Form5)
            Form_Load();
        SetOnTop(Form5.get(), true);
        Form5->show();
    } else {
        form_.DropBox->setChecked(false);
        Form5->hide();
        SetOnTop(Form5.get(), false);
    }
}

void DropBoxPart::Form_Load()
{
    Form5 = std::make_unique<DropBoxWindow>(*this);
    const QScreen* screen = form_.screen();
    const QPoint corner = screen ? screen->geometry().topLeft() : QPoint();
    Form5->move(corner + QPoint(twips(300), twips(300)));
    Form5->setWindowIcon(form_.windowIcon());
    Form5->Picture1->setPixmap(QPixmap(QStringLiteral(":/vexolin.xpm")));
    form_.drops->acceptDropsOn(Form5.get());
    form_.drops->acceptDropsOn(Form5->Picture1);
    SetOnTop(Form5.get(), true);
}

void DropBoxPart::Form_LostFocus()
{
    SetOnTop(Form5.get(), true);
}

void DropBoxPart::Form_DblClick()
{
    Form5->hide();
    SetOnTop(Form5.get(), false);
    form_.DropBox->setChecked(false);
}
