// The start-up load of a 25000-record database through the main window, against reading the
// same file and splitting it into lines; and the memory the loaded library adds.
#include "BenchSupport.h"
#include "Form1Fixture.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString db = writeLargeDatabase(dir.path());
    // Memory first, while the heap holds nothing freed that the load could reuse.
    {
        Form1Fixture window;
        app.processEvents();
        const double before = residentMb();
        window.start(db);
        app.processEvents();
        printAddedMb("database_load_memory", residentMb() - before);
    }

    const double baseline = lineSplittingBaselineMs(db);
    std::unique_ptr<Form1Fixture> fixture;
    const double load = medianMs(
        9, [&] { fixture->start(db); },
        [&] {
            fixture.reset();
            fixture = std::make_unique<Form1Fixture>();
        });
    printRatio("database_load", load, baseline);
    return 0;
}
