#pragma once

#include <QString>

class QWidget;

// Seams to the desktop: file dialogs, message boxes and the shell. Production wires Qt's
// widgets; tests wire scripted stand-ins that record what was asked and answer from a queue.

// The one file dialog of the program. Callers set the filter ("Description|*.ext"), the
// title and the file name, then show it. The file name is kept between uses; after a cancel
// it is empty. The title and replaceWithoutAsking hold for one showing only, so one dialog's
// title never shows on the next.
class FileDialog
{
public:
    enum class Mode { Open, Save };

    virtual ~FileDialog() = default;

    QString filter;
    QString title;
    QString fileName;
    // A save dialog normally asks before it replaces an existing file.
    bool replaceWithoutAsking = false;

    // Shows the dialog and returns the chosen full path, empty after a cancel.
    QString showOpen(QWidget* parent) { return shown(ask(parent, Mode::Open)); }
    QString showSave(QWidget* parent) { return shown(ask(parent, Mode::Save)); }
    // The chosen file's name without its directory.
    QString fileTitle() const;

protected:
    // Shows the dialog with the current filter, title and file name; returns the chosen path.
    virtual QString ask(QWidget* parent, Mode mode) = 0;

private:
    QString shown(const QString& chosen)
    {
        title.clear();
        replaceWithoutAsking = false;
        return fileName = chosen;
    }
};

// Message boxes with an OK button.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& text, const QString& title) = 0;
};

// Opening documents with the user's default viewer.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual bool openDocument(const QString& path) = 0;
};
