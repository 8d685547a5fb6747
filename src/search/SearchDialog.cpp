#include "search/SearchDialog.h"

#include "app/ControlInventory.h"
#include "app/Form1.h"
#include "app/Platform.h"
#include "app/TextCase.h"
#include "app/ToolWindowPlacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

SearchDialog::SearchDialog(Form1& form)
    : QDialog(&form, Qt::Dialog | Qt::FramelessWindowHint), form_(form)
{
    // As a dialog of the main window it is transient for it: kept above it, also while the
    // main window is the active one.
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Search"));
    setModal(false);
    setFixedSize(twips(4095), twips(990));
    Label1 = placed(new QLabel(QStringLiteral("Searchstring:"), this), "Label1", 120, 165, 1275, 255);
    // The field starts right of the caption (not at 1200) so that "Searchstring:" shows whole.
    Text1 = placed(new QLineEdit(this), "Text1", 1395, 120, 2580, 285);
    Text1->setAccessibleName(QStringLiteral("Search string"));
    Option1 = placed(new QRadioButton(QStringLiteral("Artists"), this), "Option1", 120, 600, 855, 255);
    Option2 = placed(new QRadioButton(QStringLiteral("Titles"), this), "Option2", 1080, 600, 735, 255);
    Option2->setChecked(true); // radio buttons of one parent: choosing one sets the other off
    Command1 = placed(new QPushButton(QStringLiteral("Next"), this), "Command1", 1920, 540, 975, 375);
    Command2 = placed(new QPushButton(QStringLiteral("Done"), this), "Command2", 3000, 540, 975, 375);
    // Enter in the search field runs Next once; no button may take the key as its default.
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    setTabOrder(Text1, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Command1);
    setTabOrder(Command1, Command2);
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void SearchDialog::showOverPlayer()
{
    showToolWindowOverPlayer(*this, form_, *Text1);
}

void SearchDialog::Command1_Click()
{
    if (Text1->text().isEmpty())
        return;
    if (Option1->isChecked() && form_.List1->count() >= 2)
        searchList(form_.List1, QString());
    else if (Option2->isChecked() && form_.List2->count() >= 2)
        searchList(form_.List2, QStringLiteral("Search"));
}

void SearchDialog::Command2_Click()
{
    hide();
}

void SearchDialog::searchList(QListWidget* list, const QString& title)
{
    // The whole entry is searched: a title entry's record code is part of its text.
    const QString wanted = upperCased(Text1->text());
    for (int i = list->currentRow() + 1; i < list->count(); ++i) {
        if (upperCased(list->item(i)->text()).contains(wanted)) {
            list->setCurrentRow(i); // the list's own selection handling runs
            return;
        }
    }
    form_.messageBox().show(this, QStringLiteral("Searchstring not found..."), title);
    list->setCurrentRow(-1); // the next search starts at the top
}
