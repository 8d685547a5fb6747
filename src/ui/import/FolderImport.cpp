#include "ui/import/FolderImport.h"

#include "core/FolderImportJob.h"
#include "core/ImportNaming.h"
#include "core/Library.h"
#include "ui/browser/LibraryBrowser.h"
#include "ui/database/DatabaseSaving.h"
#include "ui/import/ImportWindow.h"
#include "ui/seams/Seams.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

namespace {

// How many of the files not read the closing message names.
constexpr int NamedProblems = 5;

// The closing message: what was added, and what was not and why.
QString report(const QString& folder, const FolderImportJob::Result& result, int added, const QString& failure)
{
    QStringList lines;
    lines.append(QStringLiteral("Import of %1:").arg(folder));
    lines.append(QString());
    if (!failure.isEmpty()) {
        lines.append(failure);
        lines.append(QString());
    }
    lines.append(QStringLiteral("Records added: %1").arg(added));
    lines.append(QStringLiteral("Files already in the database: %1").arg(result.alreadyIn));
    lines.append(QStringLiteral("Named from their file names for want of tags: %1").arg(result.namedFromFileNames));
    if (result.leftOutAtCapacity > 0)
        lines.append(QStringLiteral("Left out because the database is full (it holds at most %1 records): %2")
                         .arg(LibraryCapacity)
                         .arg(result.leftOutAtCapacity));
    lines.append(QStringLiteral("Not read: %1").arg(result.notRead.size()));
    for (const QString& problem : result.notRead.first(qMin<qsizetype>(NamedProblems, result.notRead.size())))
        lines.append(QStringLiteral("    ") + problem);
    if (result.notRead.size() > NamedProblems)
        lines.append(QStringLiteral("    and %1 more").arg(result.notRead.size() - NamedProblems));
    return lines.join(u'\n');
}

} // namespace

FolderImport::FolderImport(MainWindow& window, const WindowMode& mode, Library& library, LibraryBrowser& browser,
                           FileDialog& fileDialog, MessageBox& messageBox, const TagReader& tags)
    : QObject(&window), window_(window), mode_(mode), library_(library), browser_(browser), fileDialog_(fileDialog),
      messageBox_(messageBox), tags_(tags), progressTimer_(new QTimer(this))
{
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &FolderImport::showProgress);
    connect(window_.importFolderAction, &QAction::triggered, this, &FolderImport::importFolder);
    connect(&library_, &Library::openChanged, this, &FolderImport::updateAvailability);
    connect(&mode_, &WindowMode::changed, this, &FolderImport::updateAvailability);
    updateAvailability();
}

FolderImport::~FolderImport()
{
    // The program ends while an import runs: it stops, and adds nothing.
    if (thread_) {
        job_->cancel();
        thread_->wait();
        delete thread_;
    }
}

ImportWindow* FolderImport::importWindow() const
{
    return importWindow_;
}

void FolderImport::updateAvailability()
{
    window_.importFolderAction->setEnabled(library_.isOpen() && !mode_.isChecking() && !mode_.inCdWizard());
}

QString FolderImport::refusal() const
{
    if (!library_.isOpen())
        return QStringLiteral("No database is open to import into.\n\n"
                              "Open one with File > Open Database or create one with Database > New.");
    if (library_.table().isFull())
        return QStringLiteral("The database is full: it holds %1 records, the most it can hold.").arg(LibraryCapacity);
    if (library_.isChangedElsewhere())
        return changedElsewhereMessage(library_.path(), QStringLiteral("Nothing was imported into it"));
    if (!QFileInfo(library_.path()).isWritable())
        return library_.path() + QStringLiteral(": the file is read-only.\n\nNothing can be imported into it.");
    return {};
}

void FolderImport::importFolder()
{
    if (importWindow_ || !window_.importFolderAction->isEnabled())
        return;
    if (const QString why = refusal(); !why.isEmpty()) {
        messageBox_.show(&window_, why, MessageBox::programTitle());
        return;
    }
    folder_ = fileDialog_.chooseFolder(&window_, QStringLiteral("Import Folder"));
    if (folder_.isEmpty())
        return;
    importWindow_ = new ImportWindow(&window_, folder_);
    connect(importWindow_, &ImportWindow::importRequested, this, &FolderImport::start);
    connect(importWindow_, &ImportWindow::cancelRequested, this, &FolderImport::cancel);
    importWindow_->show();
}

void FolderImport::start()
{
    if (thread_)
        return;
    FolderImportJob::Settings settings;
    settings.folder = folder_;
    settings.genre = importWindow_->genreField->text();
    settings.knownFiles = filesNamedBy(library_.table());
    settings.room = LibraryCapacity - library_.recordCount();
    settings.threads = qMax(1, QThread::idealThreadCount());
    job_ = std::make_unique<FolderImportJob>(tags_, std::move(settings));
    thread_ = QThread::create([job = job_.get()] { job->run(); });
    connect(thread_, &QThread::finished, this, &FolderImport::finish);
    importWindow_->showRunning();
    progressTimer_->start();
    thread_->start();
}

void FolderImport::cancel()
{
    if (!thread_) {
        closeWindow();
        emit finished();
        return;
    }
    job_->cancel();
    importWindow_->showCancelling();
}

void FolderImport::showProgress()
{
    if (!job_ || !importWindow_ || job_->isCancelled())
        return;
    const FolderImportJob::Progress now = job_->progress();
    importWindow_->showProgress(now.filesLookedAt, now.recordsFound, now.filesRead, now.filesToRead, now.folder);
}

void FolderImport::finish()
{
    progressTimer_->stop();
    showProgress();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    FolderImportJob::Result result = job_->takeResult();
    job_.reset();
    closeWindow();
    if (!result.cancelled) {
        const int found = int(result.records.size());
        int added = 0;
        QString failure;
        if (found > 0) {
            QString error;
            if (const int first = library_.appendRecords(std::move(result.records), &error); first > 0) {
                added = found;
                browser_.listAppendedRecords(first);
            } else {
                failure = QStringLiteral("The %1 records found could not be added to the database file, and "
                                         "nothing was added.\n%2\n%3")
                              .arg(found)
                              .arg(library_.path(), error);
            }
        }
        messageBox_.show(&window_, report(folder_, result, added, failure), MessageBox::programTitle());
    }
    emit finished();
}

void FolderImport::closeWindow()
{
    if (!importWindow_)
        return;
    importWindow_->hide();
    importWindow_->deleteLater();
    importWindow_ = nullptr;
}
