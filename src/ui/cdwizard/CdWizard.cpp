#include "ui/cdwizard/CdWizard.h"

#include "core/CdSetNames.h"
#include "core/CdSetWriter.h"
#include "core/Library.h"
#include "core/Playlist.h"
#include "core/SelectionSize.h"
#include "core/SharedTexts.h"
#include "core/StatusTexts.h"
#include "ui/seams/Seams.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

const QString SelectingText =
    QStringLiteral("Drag and Drop all artists and/or titles to the playlist window. ")
    + QStringLiteral("You can see how much space the mediafiles require on the CD in the upper left corner of the Vexolin window.")
    + QStringLiteral(" Click Next when ready. In the next step you must enter a database name in an EMPTY directory with enough space to contain the files!");

const QString CopyingText =
    QStringLiteral("Wait while all the choosen media files are copied to the 'empty' directory where you selected the database name.")
    + QStringLiteral(" You can see in the upper left corner of Vexolin's window how many media files are still to go.");

// The entries of dir that are not folders (files, links, named pipes, sockets, devices), hidden
// ones left out.
qsizetype countFiles(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::System).size();
}

} // namespace

CdWizard::CdWizard(MainWindow& window, WindowMode& mode, const Library& library, Playlist& playlist,
                   FileDialog& fileDialog, MessageBox& messageBox)
    : QObject(&window), window_(window), mode_(mode), library_(library), playlist_(playlist),
      fileDialog_(fileDialog), messageBox_(messageBox)
{
    connect(window_.createCdAction, &QAction::triggered, this, &CdWizard::start);
    connect(window_.wizardNextButton, &QPushButton::clicked, this, &CdWizard::copySelection);
    connect(window_.wizardCancelButton, &QPushButton::clicked, this, &CdWizard::close);
}

void CdWizard::start()
{
    selectionKilobytes_ = 0;
    playlist_.clear();
    window_.playerNotice->setText(SelectingText);
    window_.playerNotice->show();
    window_.statusLine->setText(QStringLiteral("0 Files selected, 0 Megabyte"));
    mode_.enter(WindowMode::CdWizard);
    setStep(Step::Selecting);
}

void CdWizard::close()
{
    window_.wizardCancelButton->setText(QStringLiteral("Cancel"));
    mode_.leave();
    window_.playerNotice->hide();
    setStep(Step::Closed);
}

void CdWizard::copySelection()
{
    window_.wizardNextButton->hide();
    const std::optional<QString> chosen = askForDatabaseName();
    if (!chosen) {
        close();
        return;
    }
    const QString databaseName = databaseNameWithExtension(*chosen);
    window_.playerNotice->setText(CopyingText);
    window_.wizardCancelButton->setEnabled(false);
    setStep(Step::Copying);
    const CdSetWrite write = copyPlaylist(databaseName);
    if (!write.whole) {
        if (write.wroteAnything())
            settleIncompleteSet(write, QFileInfo(databaseName).absolutePath());
        else
            failAndClose(write.error);
        return;
    }
    window_.playerNotice->setText(CdClosingMessage);
    window_.wizardCancelButton->setEnabled(true);
    window_.wizardCancelButton->setText(QStringLiteral("Done"));
    setStep(Step::Finished);
}

std::optional<QString> CdWizard::askForDatabaseName()
{
    const FileDialog::Request request{
        .filter = CdDatabaseFilter, .title = QStringLiteral("Enter a name for the database in an EMPTY directory!")};
    for (;;) {
        const QString name = fileDialog_.showSave(&window_, request);
        if (name.isEmpty())
            return std::nullopt;
        if (countFiles(QFileInfo(name).absolutePath()) == 0)
            return name;
        messageBox_.show(&window_, QStringLiteral("Directory is not empty!"), QStringLiteral("Warning"));
    }
}

std::optional<QList<LibraryRecord>> CdWizard::playlistRecords() const
{
    QList<LibraryRecord> records;
    records.reserve(playlist_.count());
    for (const PlaylistEntry& entry : playlist_.entries()) {
        const int r = recordOfEntry(entry, library_.table());
        if (r == 0)
            return std::nullopt;
        records.append(library_.record(r));
    }
    return records;
}

CdSetWrite CdWizard::copyPlaylist(const QString& databaseName)
{
    const std::optional<QList<LibraryRecord>> records = playlistRecords();
    const std::optional<QList<CdSetItem>> items = records ? planCdSet(*records) : std::nullopt;
    if (!items)
        return {};
    const int count = int(items->size());
    showProgress(count);
    return writeCdSet(QFileInfo(databaseName).absolutePath(), databaseName, *items, [&](int index, qint64 bytes) {
        selectionKilobytes_ = addRoundedKilobytes(selectionKilobytes_, bytes, -1);
        showProgress(count - index - 1);
    });
}

void CdWizard::setStep(Step step)
{
    step_ = step;
    emit stepChanged();
}

void CdWizard::updateStatusLine()
{
    const int entries = playlist_.count();
    window_.statusLine->setText(waitsForSelection()
                                    ? selectionLineText(entries, selectionKilobytes_)
                                    : statusLineText(window_.artistList->count(), window_.titleList->count(), entries));
}

void CdWizard::showProgress(int filesToCopy)
{
    // Only the status line changes: repainting it alone keeps the copy near the disk's speed.
    window_.statusLine->setText(copyProgressText(filesToCopy, selectionKilobytes_));
    window_.statusLine->repaint();
}

void CdWizard::failAndClose(const QString& error)
{
    const QString message = QStringLiteral("An error occured");
    messageBox_.show(&window_, error.isEmpty() ? message : message + QStringLiteral("\n\n") + error,
                     QStringLiteral("Error"));
    window_.wizardCancelButton->setEnabled(true);
    close();
}

void CdWizard::settleIncompleteSet(const CdSetWrite& write, const QString& folder)
{
    const QString question =
        QStringLiteral("An error occured\n\n%1\n\nThe CD set in %2 is incomplete. Remove the files the wizard wrote "
                       "there, or keep them? A set that is kept lists every media file it holds in its database, and "
                       "its readme says that it is incomplete.")
            .arg(write.error, QDir::toNativeSeparators(folder));
    if (messageBox_.askYesOrNo(&window_, question, QStringLiteral("Error"), QStringLiteral("Remove"),
                               QStringLiteral("Keep"))) {
        const QStringList notRemoved = removeCdSet(write, folder);
        if (!notRemoved.isEmpty())
            messageBox_.show(&window_, QStringLiteral("These files could not be removed:\n\n") + notRemoved.join(u'\n'),
                             QStringLiteral("Error"));
    }
    window_.wizardCancelButton->setEnabled(true);
    close();
}

void CdWizard::countRecord(int record, int sign)
{
    if (const std::optional<qint64> bytes = measuredFileLength(library_.record(record).file))
        selectionKilobytes_ = addRoundedKilobytes(selectionKilobytes_, *bytes, sign);
}

void CdWizard::countAppendedRecords(const QList<int>& records)
{
    if (!mode_.inCdWizard())
        return;
    for (int record : records)
        countRecord(record, +1);
}

void CdWizard::countRemovedEntry(const PlaylistEntry& entry)
{
    if (!mode_.inCdWizard())
        return;
    if (const int record = recordOfEntry(entry, library_.table()))
        countRecord(record, -1);
}
