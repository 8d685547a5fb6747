#include "core/CdSetNames.h"

#include "core/LibraryTable.h"
#include "core/StatusTexts.h"

#include <QDir>

QString extensionOfStoredFile(QStringView storedFile)
{
    const qsizetype dot = storedFile.lastIndexOf(u'.');
    return trimBlanks(dot < 0 ? storedFile : storedFile.sliced(dot)).toString();
}

QString mediaFileName(QStringView artist, QStringView title, QStringView extension)
{
    QString name;
    name += trimBlanks(artist);
    name += u'-';
    name += trimBlanks(title);
    name += extension;
    return name;
}

bool isSafeFileName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return name.isValidUtf16() && name.toUtf8().size() <= MaxFileNameBytes;
}

bool staysInside(const QString& folder, const QString& path)
{
    const QString cleanFolder = QDir::cleanPath(folder);
    const QString cleanPath = QDir::cleanPath(path);
    const QString prefix = cleanFolder.endsWith(u'/') ? cleanFolder : cleanFolder + u'/';
    return cleanPath.size() > prefix.size() && cleanPath.startsWith(prefix);
}

QString portableFileLine(QStringView name)
{
    QString line = QStringLiteral("#:/");
    line += MediaFolderName;
    line += u'/';
    line += name;
    return line;
}

QString databaseNameWithExtension(const QString& name)
{
    static const QString extension = QStringLiteral(".VxDatabase");
    return name.endsWith(extension, Qt::CaseInsensitive) ? name : name + extension;
}

QStringList readmeLines()
{
    return {
        QStringLiteral("To use the VxDatabase file on this CD,"),
        QStringLiteral("you must have Vexolin V1.7 or higher installed."),
        QString(),
        QStringLiteral("You can download Vexolin at:"),
        QStringLiteral("https://vexolin.example.org/download"),
        QString(),
        QStringLiteral("You can contact the authur of Vexolin at:"),
        QStringLiteral("team@vexolin.example.org"),
        QString(),
        QStringLiteral("Vexolin is free to copy and share, without any warranty. Written by the Vexolin team, 1999."),
    };
}

QStringList incompleteReadmeLines()
{
    return QStringList{QStringLiteral("THIS CD SET IS INCOMPLETE: Vexolin did not finish copying the media files into it."),
                       QStringLiteral("Its database lists only media files that were copied whole."), QString()}
           + readmeLines();
}

QString copyProgressText(int filesToCopy, qint64 kilobytes)
{
    return QStringLiteral(" %1 files to copy,").arg(filesToCopy) + sizeText(kilobytes);
}
