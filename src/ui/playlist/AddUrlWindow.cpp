#include "ui/playlist/AddUrlWindow.h"

#include "ui/window/ControlLayout.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ToolWindowPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AddUrlWindow::AddUrlWindow(MainWindow& window)
    : QDialog(&window, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      caption(placed(new QLabel(QStringLiteral("Url:"), this), "caption", 120, 165, 975, 255)),
      urlField(placed(new QLineEdit(this), "urlField", 480, 120, 3375, 285)),
      // Wider to the left than its 1215 twips, which cut its caption.
      addButton(placed(new QPushButton(QStringLiteral("Add to Playlist"), this), "addButton", 600, 480, 1455, 375)),
      doneButton(placed(new QPushButton(QStringLiteral("Done"), this), "doneButton", 2160, 480, 1215, 375)),
      window_(window)
{
    setObjectName(QStringLiteral("addUrlWindow"));
    setWindowTitle(QStringLiteral("Add url"));
    setModal(false);
    setFixedSize(twips(3960), twips(960));
    urlField->setAccessibleName(QStringLiteral("Url or path"));
    // Enter in the text field must not press a button by itself.
    addButton->setAutoDefault(false);
    doneButton->setAutoDefault(false);
    connect(addButton, &QPushButton::clicked, this, [this] { emit addRequested(urlField->text()); });
    connect(doneButton, &QPushButton::clicked, this, &QWidget::hide);
}

void AddUrlWindow::showOverPlayer()
{
    showToolWindowOverPlayer(*this, window_, *urlField);
}
