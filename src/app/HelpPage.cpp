#include "app/HelpPage.h"

#include <QDir>
#include <QFileInfo>

QString helpPageLocation(const QStringList& folders)
{
    const QString name = QStringLiteral("Vexolin.htm");
    if (QFileInfo(name).isFile())
        return name;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return name;
}

QStringList helpFolders(const QString& programFolder)
{
    return {programFolder, QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(VEXOLIN_HELP_FROM_PROGRAM)))};
}
