#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class FileDialog;
class FolderImportJob;
class Library;
class LibraryBrowser;
class MainWindow;
class MessageBox;
class ImportWindow;
class QThread;
class QTimer;
class TagReader;
class WindowMode;

// Database > Import folder...: every media file under a chosen folder that the database does not
// name yet becomes a record, named from its tags (or its file name). The walk and the tag reading
// run on other threads while a window shows the progress; Cancel adds nothing. The new records
// go into the database file in one append, then into the lists; one message tells what came of
// it. Available while a database is open, outside the database check and the CD wizard.
class FolderImport : public QObject
{
    Q_OBJECT
public:
    FolderImport(MainWindow& window, const WindowMode& mode, Library& library, LibraryBrowser& browser,
                 FileDialog& fileDialog, MessageBox& messageBox, const TagReader& tags);
    ~FolderImport() override;

    // Database > Import folder...: asks for the folder, then shows the import window.
    void importFolder();

    // The window of the import being prepared or run; null when there is none.
    ImportWindow* importWindow() const;
    bool isRunning() const { return thread_ != nullptr; }

signals:
    // The import ended (done, cancelled or failed) and its window is gone.
    void finished();

private:
    // Enables the menu item while a database is open and the mode allows it.
    void updateAvailability();
    // Why an import cannot start now; empty when it can.
    QString refusal() const;
    // Import was pressed: the job starts on its threads.
    void start();
    void cancel();
    // The job's threads are done: its records are added, or nothing is after a cancel.
    void finish();
    void showProgress();
    void closeWindow();

    MainWindow& window_;
    const WindowMode& mode_;
    Library& library_;
    LibraryBrowser& browser_;
    FileDialog& fileDialog_;
    MessageBox& messageBox_;
    const TagReader& tags_;
    QPointer<ImportWindow> importWindow_;
    QString folder_;
    std::unique_ptr<FolderImportJob> job_;
    QThread* thread_ = nullptr;
    QTimer* progressTimer_;
};
