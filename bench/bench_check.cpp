// The database check of a 25000-record database, against 25000 bare file-size queries of the
// same files. Records point at 500 real files in 50 folders (the check costs one query per
// record, whichever file it names); a second measure has every file missing, so that all
// 25000 records are listed.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/MissingFiles.h"
#include "ui/check/DatabaseCheck.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"
#include "ui/window/WindowMode.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace {

constexpr int Records = 25000;
constexpr int Files = 500;

QString mediaPath(const QString& root, int i)
{
    return QStringLiteral("%1/media/Folder %2/Artist %3 - Some Title Of A Song %4.mp3")
        .arg(root).arg(i % 50).arg(i % 5000).arg(i);
}

// A database of Records records naming the media files under root.
QString writeLibrary(const JukeboxFixture& fixture, const QString& name, const QString& root)
{
    QList<QStringList> records;
    records.reserve(Records);
    for (int i = 0; i < Records; ++i)
        records.append({QStringLiteral("Artist %1").arg(i % 5000), QStringLiteral("Title %1").arg(i),
                        QStringLiteral("Genre %1").arg(i % 300), mediaPath(root, i % Files)});
    return fixture.writeDatabase(name, records);
}

void createMediaFiles(const QString& root)
{
    for (int i = 0; i < Files; ++i) {
        const QString path = mediaPath(root, i);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("sound") != 5)
            qFatal("cannot write %s", qPrintable(path));
    }
}

double fileSizeQueriesMs(const Library& library)
{
    qint64 total = 0;
    const double ms = medianMs(15, [&] {
        for (int i = 1; i <= library.recordCount(); ++i)
            total += fileLength(library.record(i).file);
    });
    if (total < 0)
        qFatal("impossible size");
    return ms;
}

// The check of the database at path, started afresh each time.
double checkMs(const QString& path, int expectedListed)
{
    JukeboxFixture fixture;
    Jukebox& jukebox = fixture.start(path);
    fixture.window().show(); // the count-down and the list really paint
    if (jukebox.library().recordCount() != Records)
        qFatal("the database did not load");
    const double ms = medianMs(15, [&] { jukebox.check().start(); }, [&] {
        if (jukebox.mode().isChecking())
            jukebox.check().finish();
    });
    if (fixture.window().missingList->count() != expectedListed)
        qFatal("the check listed %d records, not %d", int(fixture.window().missingList->count()), expectedListed);
    printRatio(expectedListed == 0 ? QStringLiteral("database_check_all_present")
                                   : QStringLiteral("database_check_all_missing"),
               ms, fileSizeQueriesMs(jukebox.library()));
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    steadyAllocator();
    QApplication app(argc, argv);
    JukeboxFixture files;
    const QString root = files.dir.path();
    createMediaFiles(root);
    checkMs(writeLibrary(files, QStringLiteral("Present.VxDatabase"), root), 0);
    checkMs(writeLibrary(files, QStringLiteral("Missing.VxDatabase"), root + QStringLiteral("/gone")), Records);
    return 0;
}
