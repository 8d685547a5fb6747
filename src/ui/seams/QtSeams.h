#pragma once

#include "ui/seams/Seams.h"

// The seams as the desktop provides them: Qt's file dialog and message box, and the user's
// default viewer for documents.
class QtFileDialog : public FileDialog
{
protected:
    QString ask(QWidget* parent, Mode mode, const Request& request, const QString& offeredFile) override;
    QStringList askSeveral(QWidget* parent, const Request& request, const QString& offeredFile) override;
    // Opens in the folder chosen last.
    QString askFolder(QWidget* parent, const QString& title) override;

private:
    QString lastFolder_;
};

class QtMessageBox : public MessageBox
{
public:
    void show(QWidget* parent, const QString& text, const QString& title) override;
    Answer askToSave(QWidget* parent, const QString& text, const QString& title) override;
    bool askYesOrNo(QWidget* parent, const QString& text, const QString& title, const QString& yes,
                    const QString& no) override;
};

class DesktopShell : public Shell
{
public:
    bool openDocument(const QString& path) override;
};

// "Description|*.ext" as Qt's filter "Description (*.ext)", readable as written (several pairs,
// "A|*.a|B|*.b", as Qt's filters "A (*.a);;B (*.b)"); the dialog matches them in any letter case.
QString qtFilter(const QString& filter);
