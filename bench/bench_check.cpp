// The database check of a 25000-record database, against 25000 bare file-size queries of the
// same files. Records point at 500 real files in 50 folders (the check costs one query per
// record, whichever file it names); a second measure has every file missing, so that all
// 25000 records are listed.
#include "BenchSupport.h"
#include "JukeboxFixture.h"
#include "core/MissingFiles.h"
#include "check/MissingFilesCheck.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>

namespace {

constexpr int Records = 25000;
constexpr int Files = 500;

QString mediaPath(const QString& root, int i)
{
    return QStringLiteral("%1/media/Folder %2/Artist %3 - Some Title Of A Song %4.mp3")
        .arg(root).arg(i % 50).arg(i % 5000).arg(i);
}

void fillLibrary(Form1& form, const QString& root)
{
    form.library.clear();
    for (int i = 0; i < Records; ++i)
        form.library.append(LibraryRecord::fromTexts(QStringLiteral("Artist %1").arg(i % 5000),
                                                     QStringLiteral("Title %1").arg(i),
                                                     QStringLiteral("Genre %1").arg(i % 300),
                                                     mediaPath(root, i % Files)));
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

double fileSizeQueriesMs(const Form1& form)
{
    qint64 total = 0;
    const double ms = medianMs(15, [&] {
        for (int i = 1; i <= form.library.recordCount(); ++i)
            total += fileLength(form.library.record(i).fileMenu);
    });
    if (total < 0)
        qFatal("impossible size");
    return ms;
}

double checkMs(Form1& form, int expectedListed)
{
    const double ms = medianMs(15, [&] { form.check->DatabaseCheck_Click(); });
    if (form.missingList->count() != expectedListed)
        qFatal("the check listed %d records, not %d", int(form.missingList->count()), expectedListed);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    JukeboxFixture fixture;
    Form1& form = fixture.start();
    form.show(); // the count-down and the list really paint
    const QString root = fixture.dir.path();

    createMediaFiles(root);
    fillLibrary(form, root);
    printRatio(QStringLiteral("database_check_all_present"), checkMs(form, 0), fileSizeQueriesMs(form));

    fillLibrary(form, root + QStringLiteral("/gone"));
    printRatio(QStringLiteral("database_check_all_missing"), checkMs(form, Records), fileSizeQueriesMs(form));
    return 0;
}
