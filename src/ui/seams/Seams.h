#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Seams to the desktop: file dialogs, message boxes and the shell. Production wires Qt's
// widgets; tests wire scripted stand-ins that record what was asked and answer from a queue.

// The one file dialog of the program. It remembers the file chosen last (empty after a cancel),
// which a request may offer again.
class FileDialog
{
public:
    enum class Mode { Open, Save, OpenSeveral, Folder };

    struct Request
    {
        QString filter;                    // "Description|*.ext", or several such pairs joined by "|"
        QString title;
        bool offerLastFile = false;        // offer the file chosen last, rather than none
        QString defaultSuffix = {};        // a save: added to a name without an extension ("vxplaylist")
    };

    virtual ~FileDialog() = default;

    // Shows the dialog and returns the chosen full path, empty after a cancel. A save dialog gives
    // a name typed without an extension the request's default suffix, and asks before it replaces
    // a file of the name it returns; No returns to the dialog.
    QString showOpen(QWidget* parent, const Request& request) { return show(parent, Mode::Open, request); }
    QString showSave(QWidget* parent, const Request& request) { return show(parent, Mode::Save, request); }
    // Shows an open dialog in which several files may be chosen; returns them in the dialog's
    // order, none after a cancel. The first counts as the file chosen last.
    QStringList showOpenSeveral(QWidget* parent, const Request& request)
    {
        const QStringList chosen = askSeveral(parent, request, request.offerLastFile ? fileName_ : QString());
        fileName_ = chosen.value(0);
        return chosen;
    }
    // Shows a dialog for choosing a folder, titled title; returns its path, empty after a cancel.
    // The file chosen last stays as it was.
    QString chooseFolder(QWidget* parent, const QString& title) { return askFolder(parent, title); }

    // The file chosen last, and its name without its directory.
    const QString& fileName() const { return fileName_; }
    QString fileTitle() const;

protected:
    // Shows the dialog for the request, offering offeredFile; returns the chosen path.
    virtual QString ask(QWidget* parent, Mode mode, const Request& request, const QString& offeredFile) = 0;
    virtual QStringList askSeveral(QWidget* parent, const Request& request, const QString& offeredFile) = 0;
    virtual QString askFolder(QWidget* parent, const QString& title) = 0;

private:
    QString show(QWidget* parent, Mode mode, const Request& request)
    {
        const QString offered = request.offerLastFile ? fileName_ : QString();
        return fileName_ = ask(parent, mode, request, offered);
    }

    QString fileName_;
};

// Message boxes with an OK button, the question asked before changes not yet saved would be
// lost, and questions with two answers.
class MessageBox
{
public:
    enum class Answer { Save, Discard, Cancel };

    // The title of the program's own messages.
    static QString programTitle() { return QStringLiteral("Vexolin"); }

    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& text, const QString& title) = 0;
    // Asks whether to save the changes, discard them, or cancel what would lose them (the answer
    // when the box is closed otherwise).
    virtual Answer askToSave(QWidget* parent, const QString& text, const QString& title) = 0;
    // Asks a question with two answers, on buttons captioned yes and no; true when the user
    // chooses yes. No is the default, and the answer when the box is closed otherwise.
    virtual bool askYesOrNo(QWidget* parent, const QString& text, const QString& title, const QString& yes,
                            const QString& no) = 0;
};

// Opening documents with the user's default viewer.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual bool openDocument(const QString& path) = 0;
};
