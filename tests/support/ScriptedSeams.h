#pragma once

#include "ui/seams/Seams.h"

#include <QStringList>

// A file dialog that answers from queues (an empty answer is a cancel) and records each use. A
// dialog for several files answers from severalAnswers, or with the next of answers when that is
// empty; a folder dialog from folderAnswers.
class ScriptedFileDialog : public FileDialog
{
public:
    struct Use
    {
        Mode mode;
        QString filter;
        QString title;
        QString fileName; // the file name offered when it was shown
        QString defaultSuffix;
    };
    QStringList answers;
    QList<QStringList> severalAnswers;
    QStringList folderAnswers;
    QList<Use> uses;

protected:
    QString ask(QWidget*, Mode mode, const Request& request, const QString& offeredFile) override
    {
        uses.append({mode, request.filter, request.title, offeredFile, request.defaultSuffix});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList askSeveral(QWidget*, const Request& request, const QString& offeredFile) override
    {
        uses.append({Mode::OpenSeveral, request.filter, request.title, offeredFile, request.defaultSuffix});
        if (!severalAnswers.isEmpty())
            return severalAnswers.takeFirst();
        const QString one = answers.isEmpty() ? QString() : answers.takeFirst();
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    QString askFolder(QWidget*, const QString& title) override
    {
        uses.append({Mode::Folder, {}, title, {}, {}});
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }
};

// Message boxes recorded instead of shown; questions answered from a queue (Cancel, or no, when
// it is empty) and recorded apart.
class RecordingMessageBox : public MessageBox
{
public:
    struct Shown
    {
        QString text;
        QString title;
        QStringList buttons; // a two-answer question's captions, yes first
    };
    QList<Shown> shown;
    QList<Shown> asked;
    QList<Answer> answers;
    QList<bool> yesOrNo; // answers to askYesOrNo, first to last
    void show(QWidget*, const QString& text, const QString& title) override { shown.append({text, title, {}}); }
    Answer askToSave(QWidget*, const QString& text, const QString& title) override
    {
        asked.append({text, title, {}});
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    bool askYesOrNo(QWidget*, const QString& text, const QString& title, const QString& yes, const QString& no) override
    {
        asked.append({text, title, {yes, no}});
        return !yesOrNo.isEmpty() && yesOrNo.takeFirst();
    }
};

// Documents recorded instead of opened.
class RecordingShell : public Shell
{
public:
    QStringList opened;
    bool openDocument(const QString& path) override
    {
        opened.append(path);
        return true;
    }
};
