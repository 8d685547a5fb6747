#include "editor/DatabaseRewrite.h"

#include "app/Form1.h"
#include "app/Platform.h"

bool rewriteDatabase(Form1& form)
{
    QString error;
    const QString path = form.database.path();
    if (form.database.rewrite(form.library, &error)) {
        // Saved; but records added from now on need the file open for appending again.
        if (!form.database.isOpen())
            form.messageBox().show(&form,
                                   QStringLiteral("The database was saved, but it could not be opened again "
                                                  "for adding records.\n\n%1")
                                       .arg(path),
                                   QStringLiteral("Vexolin"));
        return true;
    }
    form.messageBox().show(&form,
                           QStringLiteral("The database could not be saved.\n\n%1\n%2\n\n"
                                          "The file on disk was left as it was.")
                               .arg(path.isEmpty() ? QStringLiteral("(no database is open)") : path, error),
                           QStringLiteral("Vexolin"));
    return false;
}
