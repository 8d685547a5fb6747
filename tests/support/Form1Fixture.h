#pragma once

#include "FakePlayer.h"
#include "ScriptedPlatform.h"
#include "app/Form1.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// The bytes of a file, or "<unreadable>" when it cannot be read (so a missing file never
// compares equal to an empty one).
QByteArray fileBytes(const QString& path);

// A main window wired to a fake player and scripted dialogs, with a scratch folder.
struct Form1Fixture
{
    FakePlayer player;
    ScriptedFileDialog fileDialog;
    RecordingMessageBox messageBox;
    RecordingShell shell;
    QTemporaryDir dir;
    std::unique_ptr<Form1> form;

    Form1Fixture();
    // Runs start-up with the given command line on an 1024 x 768 screen.
    Form1& start(const QString& commandLine = {});

    // Writes bytes to a file in the scratch folder; returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // A database file of the records given as {artist, title, genre, file} quadruples.
    QString writeDatabase(const QString& name, const QList<QStringList>& records) const;

    // The texts of a list, in order.
    static QStringList texts(const class QListWidget* list);
    static QStringList texts(const class QComboBox* combo);
};
