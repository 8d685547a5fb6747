#include "ui/database/DatabaseSaving.h"

#include "core/Library.h"
#include "ui/seams/Seams.h"

bool saveRewrittenDatabase(Library& library, MessageBox& messageBox, QWidget* parent)
{
    QString error;
    const QString path = library.path();
    if (library.rewrite(&error))
        return true;
    messageBox.show(parent,
                    QStringLiteral("The database could not be saved.\n\n%1\n%2\n\n"
                                   "The file on disk was left as it was.")
                        .arg(path.isEmpty() ? QStringLiteral("(no database is open)") : path, error),
                    QStringLiteral("Vexolin"));
    return false;
}
