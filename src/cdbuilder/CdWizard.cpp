#include "cdbuilder/CdWizard.h"

#include "app/Form1.h"
#include "app/SortedLists.h"
#include "cdbuilder/CdSetNames.h"
#include "cdbuilder/CdSetWriter.h"
#include "library/RecordCode.h"
#include "playlist/PlaylistEditing.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString SelectingText =
    QStringLiteral("Drag and Drop all artists and/or titles to the playlist window. ")
    + QStringLiteral("You can see how much space the mediafiles require on the CD in the upper left corner of the Vexolin window.")
    + QStringLiteral(" Click Next when ready. In the next step you must enter a database name in an EMPTY directory with enough space to contain the files!");

const QString CopyingText =
    QStringLiteral("Wait while all the choosen media files are copied to the 'empty' directory where you selected the database name.")
    + QStringLiteral(" You can see in the upper left corner of Vexolin's window how many media files are still to go.");

const QString DoneText =
    QStringLiteral("Vexolin has now copied all media files in the playlist to the 'empty' directory you choose.")
    + QStringLiteral(" Now you can burn a CD. ")
    + QStringLiteral("Be sure that you copy the files IN the 'empty' directory you choose, NOT the directory itself!")
    + QStringLiteral(" Click Done when ready...");

} // namespace

CdWizard::CdWizard(Form1& form) : form_(form)
{
    QObject::connect(form_.CreateCD, &QAction::triggered, &connections_, [this] { CreateCD_Click(); });
    QObject::connect(form_.Command15, &QPushButton::clicked, &connections_, [this] { Command15_Click(); });
    QObject::connect(form_.Command16, &QPushButton::clicked, &connections_, [this] { Command16_Click(); });
}

QList<QAction*> CdWizard::menuItems() const
{
    return {form_.OpenDatabase, form_.OpenPlaylist,   form_.SaveDatabase, form_.SavePlaylist, form_.NewVexolin,
            form_.EditVexolin,  form_.DatabaseCheck,  form_.AddPlaylist,  form_.DropBox,      form_.RandomPlaylist,
            form_.PlaylistAddUrl, form_.AboutHelp,    form_.CreateCD};
}

void CdWizard::setMenuItemsEnabled(bool enabled)
{
    for (QAction* item : menuItems())
        item->setEnabled(enabled);
}

void CdWizard::CreateCD_Click()
{
    form_.SelectionSize = 0;
    emptyList(form_.List3);
    form_.Label12->setText(SelectingText);
    form_.Label12->show();
    form_.Label10->setText(QStringLiteral("0 Files selected, 0 Megabyte"));
    setMenuItemsEnabled(false);
    form_.Command15->show();
    form_.Command16->show();
}

void CdWizard::Command16_Click()
{
    form_.Command16->setText(QStringLiteral("Cancel"));
    setMenuItemsEnabled(true);
    form_.Command15->hide();
    form_.Command16->hide();
    form_.Label12->hide();
}

void CdWizard::Command15_Click()
{
    form_.Command15->hide();
    const std::optional<QString> chosen = askForDatabaseName();
    if (!chosen) {
        Command16_Click();
        return;
    }
    const QString databaseName = databaseNameWithExtension(*chosen);
    form_.Label12->setText(CopyingText);
    form_.Command16->setEnabled(false);
    if (!copyPlaylist(databaseName)) {
        failAndClose();
        return;
    }
    form_.Label12->setText(DoneText);
    form_.Command16->setEnabled(true);
    form_.Command16->setText(QStringLiteral("Done"));
}

std::optional<QString> CdWizard::askForDatabaseName()
{
    FileDialog& dialog = form_.fileDialog();
    for (;;) {
        dialog.fileName.clear();
        dialog.filter = QStringLiteral("All file types|*.*");
        dialog.title = QStringLiteral("Enter a name for the database in an EMPTY directory!");
        const QString name = dialog.showSave(&form_);
        if (name.isEmpty())
            return std::nullopt;
        if (countFiles(QFileInfo(name).absolutePath()) == 0)
            return name;
        form_.messageBox().show(&form_, QStringLiteral("Directory is not empty!"), QStringLiteral("Warning"));
    }
}

int CdWizard::countFiles(const QString& dir)
{
    emptyList(form_.File1);
    form_.File1->addItems(QDir(dir).entryList(QDir::Files, QDir::Name));
    return form_.File1->count();
}

std::optional<QList<LibraryRecord>> CdWizard::playlistRecords() const
{
    QList<LibraryRecord> records;
    records.reserve(form_.List3->count());
    for (int row = 0; row < form_.List3->count(); ++row) {
        const int r = recordOfCodedEntry(form_.List3->item(row)->text());
        if (r < 1 || r > form_.library.RecordCount())
            return std::nullopt;
        records.append(form_.library.record(r));
    }
    return records;
}

bool CdWizard::copyPlaylist(const QString& databaseName)
{
    const std::optional<QList<LibraryRecord>> records = playlistRecords();
    const std::optional<QList<CdSetItem>> items = records ? planCdSet(*records) : std::nullopt;
    if (!items)
        return false;
    const int count = int(items->size());
    showProgress(count);
    return writeCdSet(QFileInfo(databaseName).absolutePath(), databaseName, *items, [&](int index, qint64 bytes) {
        form_.SelectionSize = addRoundedKilobytes(form_.SelectionSize, bytes, -1);
        showProgress(count - index - 1);
    });
}

void CdWizard::showProgress(int filesToCopy)
{
    form_.Label10->setText(copyProgressText(filesToCopy, form_.SelectionSize));
    form_.repaint();
}

void CdWizard::failAndClose()
{
    form_.messageBox().show(&form_, QStringLiteral("An error occured"), QStringLiteral("Error"));
    form_.Command16->setEnabled(true);
    Command16_Click();
}
