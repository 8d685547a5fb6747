#include "ui/database/DatabaseSaving.h"

#include "core/DatabaseFile.h"
#include "core/Library.h"
#include "ui/seams/Seams.h"

#include <QString>

QString changedElsewhereMessage(const QString& path, const QString& notSaved)
{
    return QStringLiteral("%1: %2.\n\n%3 and is not saved; the other program's version was left as it is. "
                          "File > Open Database of the same path reloads the database.")
        .arg(path, changedElsewhereReason(), notSaved);
}

bool saveRewrittenDatabase(Library& library, MessageBox& messageBox, QWidget* parent)
{
    QString error;
    const QString path = library.path();
    if (library.rewrite(&error))
        return true;
    QString text;
    if (library.isChangedElsewhere())
        text = changedElsewhereMessage(path, QStringLiteral("What was removed or added here was not written to it"));
    else if (path.isEmpty() && !library.browseOnlyReason().isEmpty())
        text = QStringLiteral("The database could not be saved.\n\n%1.\n\nIt is open for browsing only and is never "
                              "written: what was removed or added here is not saved.")
                   .arg(library.browseOnlyReason());
    else
        text = QStringLiteral("The database could not be saved.\n\n%1\n%2\n\nThe file on disk was left as it was.")
                   .arg(path.isEmpty() ? QStringLiteral("(no database is open)") : path, error);
    messageBox.show(parent, text, MessageBox::programTitle());
    return false;
}

bool settlePendingChanges(Library& library, MessageBox& messageBox, QWidget* parent)
{
    if (!library.needsRewrite())
        return true;
    const QString path = library.path().isEmpty() ? QStringLiteral("The database") : library.path();
    switch (messageBox.askToSave(parent,
                                 QStringLiteral("%1: changes are not saved yet (records removed, or added records "
                                                "the file could not take).\n\nSave them now, discard them, or "
                                                "cancel?")
                                     .arg(path),
                                 MessageBox::programTitle())) {
    case MessageBox::Answer::Save: return saveRewrittenDatabase(library, messageBox, parent);
    case MessageBox::Answer::Discard: return true;
    case MessageBox::Answer::Cancel: break;
    }
    return false;
}
