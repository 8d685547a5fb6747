#include "playlist/AddUrlWindow.h"

#include "app/ControlInventory.h"
#include "app/Form1.h"
#include "app/ToolWindowPlacement.h"
#include "playlist/PlaylistEditing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AddUrlWindow::AddUrlWindow(Form1& form, PlaylistEditing& editing)
    : QDialog(&form, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), form_(form), editing_(editing)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Form4"));
    setModal(false);
    setFixedSize(twips(3960), twips(960));
    Label1 = placed(new QLabel(QStringLiteral("Url:"), this), "Label1", 120, 165, 975, 255);
    Text1 = placed(new QLineEdit(this), "Text1", 480, 120, 3375, 285);
    Text1->setAccessibleName(QStringLiteral("Url or path"));
    Command2 = placed(new QPushButton(QStringLiteral("Add to Playlist"), this), "Command2", 840, 480, 1215, 375);
    Command1 = placed(new QPushButton(QStringLiteral("Done"), this), "Command1", 2160, 480, 1215, 375);
    // Enter in the text field must not press a button by itself.
    Command2->setAutoDefault(false);
    Command1->setAutoDefault(false);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void AddUrlWindow::showOverPlayer()
{
    showToolWindowOverPlayer(*this, form_, *Text1);
}

void AddUrlWindow::Command2_Click()
{
    editing_.appendEntries({Text1->text()});
}

void AddUrlWindow::Command1_Click()
{
    hide();
}
