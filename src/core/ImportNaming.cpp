#include "core/ImportNaming.h"

#include "core/MediaAddress.h"
#include "core/StorableNames.h"

#include <QDir>

namespace {

const QString UnknownName = QStringLiteral("Unknown");

// A tag's or a name's text as a field holds it: on one line, without blanks around it.
QString fieldText(const QString& text)
{
    return trimBlanks(withoutLineBreaks(text.trimmed())).toString();
}

struct FileNameParts
{
    QString artist;
    QString title;
};

// "Artist - Title" from the file name; else the folder's name and the name without extension.
FileNameParts namesOfFile(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString fileName = path.mid(slash + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString base = dot > 0 ? fileName.left(dot) : fileName;
    if (const qsizetype dash = base.indexOf(QLatin1String(" - ")); dash >= 0) {
        FileNameParts parts{fieldText(base.left(dash)), fieldText(base.mid(dash + 3))};
        if (!parts.artist.isEmpty() && !parts.title.isEmpty())
            return parts;
    }
    const QStringView parent = QStringView(path).left(qMax<qsizetype>(slash, 0));
    const QStringView folder = parent.mid(parent.lastIndexOf(u'/') + 1);
    FileNameParts parts{fieldText(folder.toString()), fieldText(base)};
    if (parts.artist.isEmpty())
        parts.artist = UnknownName; // a file at the top of the file system: no folder names it
    if (parts.title.isEmpty())
        parts.title = fieldText(fileName);
    return parts;
}

} // namespace

QString fieldTextOfTag(const QString& tag, int width)
{
    return trimBlanks(QStringView(fieldText(tag)).left(width)).toString();
}

NamedRecord recordOfMediaFile(const QString& path, const MediaTags& tags, QStringView givenGenre)
{
    NamedRecord named;
    QString artist = fieldText(tags.artist);
    QString title = fieldText(tags.title);
    if (artist.isEmpty() || title.isEmpty()) {
        const FileNameParts parts = namesOfFile(path);
        if (artist.isEmpty())
            artist = parts.artist;
        if (title.isEmpty())
            title = parts.title;
        named.namedFromFileName = true;
    }
    QString genre = fieldText(tags.genre);
    if (genre.isEmpty())
        genre = fieldText(givenGenre.toString());
    if (genre.isEmpty())
        genre = UnknownName;
    named.record = LibraryRecord::fromTexts(artist, title, genre, path);
    return named;
}

QString comparableFile(const QString& file)
{
    // A file:// URL names the local file its decoded path names.
    const QString path = addressKind(file) == AddressKind::FileUrl ? playerAddress(file, QStringLiteral("/")) : file;
    return path.startsWith(u'/') ? QDir::cleanPath(path) : file;
}

QSet<QString> filesNamedBy(const LibraryTable& table)
{
    QSet<QString> files;
    files.reserve(table.recordCount());
    for (int n = 1; n <= table.recordCount(); ++n)
        files.insert(comparableFile(table.record(n).file));
    return files;
}
