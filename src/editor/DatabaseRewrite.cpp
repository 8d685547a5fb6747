#include "editor/DatabaseRewrite.h"

#include "app/Form1.h"
#include "app/Platform.h"

bool rewriteDatabase(Form1& form)
{
    QString error;
    if (form.database.rewrite(form.library, &error))
        return true;
    const QString path = form.database.path();
    form.messageBox().show(&form,
                           QStringLiteral("The database could not be saved.\n\n%1\n%2\n\n"
                                          "The file on disk was left as it was.")
                               .arg(path.isEmpty() ? QStringLiteral("(no database is open)") : path, error),
                           QStringLiteral("Vexolin"));
    return false;
}
