#include "ui/import/ImportWindow.h"

#include "core/LibraryTable.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A label that shows a value; a screen reader hears its text with what it is.
QLabel* valueLabel(QWidget* parent, const char* name, const QString& description)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleDescription(description);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ImportWindow::ImportWindow(QWidget* parent, const QString& folder)
    : QDialog(parent), folderLabel(valueLabel(this, "folderLabel", QStringLiteral("Folder to import"))), genreField(new QLineEdit(this)),
      filesLookedAtLabel(valueLabel(this, "filesLookedAtLabel", QStringLiteral("Files looked at"))),
      recordsFoundLabel(valueLabel(this, "recordsFoundLabel", QStringLiteral("Records found"))),
      currentFolderLabel(valueLabel(this, "currentFolderLabel", QStringLiteral("Folder being read"))), progressBar(new QProgressBar(this)),
      importButton(new QPushButton(QStringLiteral("&Import"), this)),
      cancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("importWindow"));
    setWindowTitle(QStringLiteral("Import folder"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(480);

    folderLabel->setText(folder);
    folderLabel->setWordWrap(true);
    genreField->setObjectName(QStringLiteral("genreField"));
    genreField->setMaxLength(GenreWidth);
    genreField->setText(QStringLiteral("Unknown"));
    genreField->setAccessibleName(QStringLiteral("Genre of files without a genre tag"));
    currentFolderLabel->setWordWrap(true);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setAccessibleName(QStringLiteral("Import progress"));
    progressBar->setRange(0, 1);
    progressBar->setValue(0);
    importButton->setObjectName(QStringLiteral("importButton"));
    importButton->setDefault(true);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Folder:"), folderLabel);
    auto* genreCaption = new QLabel(QStringLiteral("&Genre of files without a genre tag:"), this);
    genreCaption->setBuddy(genreField);
    form->addRow(genreCaption, genreField);
    form->addRow(QStringLiteral("Files looked at:"), filesLookedAtLabel);
    form->addRow(QStringLiteral("Records found:"), recordsFoundLabel);
    form->addRow(QStringLiteral("Now in:"), currentFolderLabel);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(importButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancelButton, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(progressBar);
    layout->addWidget(buttons);

    showProgress(0, 0, 0, 0, QString());
    connect(importButton, &QPushButton::clicked, this, &ImportWindow::importRequested);
    connect(cancelButton, &QPushButton::clicked, this, &ImportWindow::cancelRequested);
}

void ImportWindow::showRunning()
{
    genreField->setEnabled(false);
    importButton->setEnabled(false);
    cancelButton->setDefault(true);
    cancelButton->setFocus();
    progressBar->setRange(0, 0); // busy until the walk has counted the files to read
}

void ImportWindow::showProgress(int filesLookedAt, int recordsFound, int filesRead, int filesToRead,
                                const QString& folder)
{
    filesLookedAtLabel->setText(QString::number(filesLookedAt));
    recordsFoundLabel->setText(QString::number(recordsFound));
    currentFolderLabel->setText(folder);
    if (filesToRead > 0) {
        if (progressBar->maximum() != filesToRead)
            progressBar->setRange(0, filesToRead);
        progressBar->setValue(filesRead);
    }
}

void ImportWindow::showCancelling()
{
    cancelButton->setEnabled(false);
    currentFolderLabel->setText(QStringLiteral("Cancelling..."));
}

void ImportWindow::reject()
{
    emit cancelRequested();
}

void ImportWindow::closeEvent(QCloseEvent* event)
{
    // Closing is cancelling: the window goes once the import has stopped.
    event->ignore();
    emit cancelRequested();
}
