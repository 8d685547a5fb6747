// Database > Import folder... of 25000 small tagged files (MP3, FLAC and WAV, 100 to a folder)
// into an empty database, through the window with the program's tag reader (the TagLib one, from
// its module loaded on the first read), against reading the same files' tags with TagLib on one
// thread; and the memory the import adds.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "TaggedMedia.h"
#include "WavWriter.h"
#include "core/Library.h"
#include "core/MediaFiles.h"
#include "tags/LateTagReader.h"
#include "ui/import/FolderImport.h"
#include "ui/import/ImportWindow.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

constexpr int Files = 25000;

// A small file of each kind, tagged with fixed-width texts that each copy patches.
QList<QByteArray> taggedTemplates(const QString& folder)
{
    QList<QByteArray> templates;
    for (const char* ext : {"mp3", "flac", "wav"}) {
        const QString path = folder + "/template." + ext;
        const bool made = QByteArray(ext) == "mp3"  ? writeSilentMp3(path, 1)
                          : QByteArray(ext) == "flac" ? writeEmptyFlac(path)
                                                      : writeToneWav(path, 0.02);
        if (!made || !writeTags(path, "Artist 00000", "Title 00000", "Genre 000"))
            qFatal("cannot make %s", qPrintable(path));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        templates.append(file.readAll());
        file.remove();
    }
    return templates;
}

QByteArray patched(QByteArray bytes, int i)
{
    const QByteArray number = QByteArray::number(i).rightJustified(5, '0');
    bytes.replace("Artist 00000", "Artist " + QByteArray::number(i % 2500).rightJustified(5, '0'));
    bytes.replace("Title 00000", "Title " + number);
    bytes.replace("Genre 000", "Genre " + QByteArray::number(i % 300).rightJustified(3, '0'));
    return bytes;
}

// 25000 files in folders of 100; returns their paths.
QStringList writeTaggedFolder(const QString& folder)
{
    const QList<QByteArray> templates = taggedTemplates(QDir::tempPath());
    const char* extensions[] = {"mp3", "flac", "wav"};
    QStringList paths;
    for (int i = 0; i < Files; ++i) {
        const QString sub = QStringLiteral("%1/Artist %2/Album %3").arg(folder).arg(i / 1000).arg(i / 100 % 10);
        if (i % 100 == 0)
            QDir().mkpath(sub);
        const QString path = QStringLiteral("%1/%2 - track.%3").arg(sub).arg(i % 100, 2, 10, QChar('0')).arg(extensions[i % 3]);
        QFile file(path);
        const QByteArray bytes = patched(templates[i % 3], i);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        paths.append(path);
    }
    return paths;
}

// Reading every file's tags with TagLib, one after another.
void readAllTags(const QStringList& paths)
{
    int tagged = 0;
    for (const QString& path : paths) {
        const TagLib::FileRef file(QFile::encodeName(path).constData(), false);
        if (!file.isNull() && file.tag() && !file.tag()->title().isEmpty())
            ++tagged;
    }
    if (tagged != paths.size())
        qFatal("only %d of %d files read with their tags", tagged, int(paths.size()));
}

// Imports folder into the fixture's open database and waits for the end.
void importFolder(JukeboxFixture& fixture, const QString& folder)
{
    fixture.fileDialog.folderAnswers = {folder};
    fixture.window().importFolderAction->trigger();
    ImportWindow* window = fixture.jukebox->folderImport().importWindow();
    if (!window)
        qFatal("the import window did not open");
    QSignalSpy finished(&fixture.jukebox->folderImport(), &FolderImport::finished);
    window->importButton->click();
    if (!finished.wait(600000) || fixture.jukebox->library().recordCount() != Files)
        qFatal("the import did not give every record");
}

std::unique_ptr<JukeboxFixture> emptyDatabase(const TagReader& reader)
{
    auto fixture = std::make_unique<JukeboxFixture>();
    fixture->tags.otherwise = &reader;
    fixture->start(fixture->writeFile(QStringLiteral("Empty.VxDatabase"), QByteArray()));
    return fixture;
}

} // namespace

int main(int argc, char** argv)
{
    steadyAllocator();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("music"));
    const QStringList paths = writeTaggedFolder(folder);
    const LateTagReader reader(QStringLiteral(VEXOLIN_TAGS_MODULE));
    readAllTags(paths); // the files in the page cache for both measures

    // Memory first, while the heap holds nothing freed that the import could reuse.
    {
        std::unique_ptr<JukeboxFixture> fixture = emptyDatabase(reader);
        app.processEvents();
        const double before = residentMb();
        importFolder(*fixture, folder);
        app.processEvents();
        printAddedMb(QStringLiteral("import_folder_25000_memory"), residentMb() - before);
    }

    const double floor = medianMs(3, [&] { readAllTags(paths); });
    std::unique_ptr<JukeboxFixture> fixture;
    const double import = medianMs(
        3, [&] { importFolder(*fixture, folder); },
        [&] {
            fixture.reset();
            fixture = emptyDatabase(reader);
        });
    printRatio(QStringLiteral("import_folder_25000"), import, floor);
    return 0;
}
