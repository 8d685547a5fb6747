#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The window of Database > Import folder...: it names the folder, takes the genre of files
// without a genre tag, and once the import runs shows its progress (files looked at, records
// found, the folder being walked) with a Cancel button. It blocks the main window, which keeps
// painting and playing, so that the library stays as it is while the import reads.
class ImportWindow : public QDialog
{
    Q_OBJECT
public:
    ImportWindow(QWidget* parent, const QString& folder);

    // The import runs: the genre can no longer be changed.
    void showRunning();
    // Shows the counts and the folder the walk is in; filesToRead 0 while the walk goes on.
    void showProgress(int filesLookedAt, int recordsFound, int filesRead, int filesToRead, const QString& folder);
    // Cancel was pressed while the import runs: it is winding down.
    void showCancelling();

    QLabel* const folderLabel;
    QLineEdit* const genreField;
    QLabel* const filesLookedAtLabel;
    QLabel* const recordsFoundLabel;
    QLabel* const currentFolderLabel;
    QProgressBar* const progressBar;
    QPushButton* const importButton;
    QPushButton* const cancelButton;

signals:
    // Import was pressed.
    void importRequested();
    // Cancel was pressed, Escape given or the window closed.
    void cancelRequested();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
};
