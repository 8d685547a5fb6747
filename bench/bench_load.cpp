// The start-up load of a 25000-record database through the main window, against reading the
// same file and splitting it into lines; and the memory the loaded library adds.
#include "BenchSupport.h"
#include "JukeboxFixture.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    steadyAllocator();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString db = writeLargeDatabase(dir.path());
    // Memory first, while the heap holds nothing freed that the load could reuse.
    {
        JukeboxFixture window;
        app.processEvents();
        const double before = residentMb();
        window.start(db);
        app.processEvents();
        printAddedMb("database_load_memory", residentMb() - before);
    }

    const double baseline = lineSplittingBaselineMs(db);
    std::unique_ptr<JukeboxFixture> fixture;
    const double load = medianMs(
        9, [&] { fixture->start(db); },
        [&] {
            fixture.reset();
            fixture = std::make_unique<JukeboxFixture>();
        });
    printRatio("database_load", load, baseline);
    return 0;
}
