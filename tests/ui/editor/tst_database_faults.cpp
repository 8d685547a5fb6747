// Faults while the database file is written: a folder the program may not write, a full disk
// (a file size limit) and a process killed in the middle of a rewrite. Each write runs in a
// child process; afterwards the file must hold either its old bytes or the complete new ones.
#include "JukeboxFixture.h"
#include "core/DatabaseFile.h"
#include "core/DatabaseFormat.h"
#include "core/FileWriting.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Fault { None, ReadOnlyFolder, DiskFullAtStart, DiskFullHalfway };

LibraryTable makeTable(int records, int first = 1)
{
    LibraryTable table;
    table.reserve(records);
    for (int i = first; i < first + records; ++i)
        table.append(LibraryRecord::fromTexts(QStringLiteral("Artist %1").arg(i / 5), QStringLiteral("Title %1").arg(i),
                                              QStringLiteral("Genre %1").arg(i % 30),
                                              QStringLiteral("/srv/music/artist %1/title %2.mp3").arg(i / 5).arg(i)));
    return table;
}

QByteArray bytesOf(const LibraryTable& table)
{
    QByteArray data;
    for (int n = 1; n <= table.recordCount(); ++n)
        data += formatRecord(table.record(n));
    return data;
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

// In the child: become the unprivileged user "nobody" (root could write anywhere).
void dropPrivileges()
{
    if (geteuid() != 0)
        return;
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
        _exit(3);
}

// In the child: files may grow to `bytes` and no further. The program itself makes a write past
// the limit fail (EFBIG) instead of being killed by SIGXFSZ.
void limitFileSize(qint64 bytes)
{
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        _exit(3);
}

// Forks a child that opens the database, suffers the fault and runs work; the parent gets the
// child's pid. The child exits 0 when work succeeded, 1 when it reported a failure.
pid_t startChild(const QString& path, const std::function<void()>& fault,
                 const std::function<bool(DatabaseFile&)>& work)
{
    const pid_t pid = fork();
    if (pid == 0) {
        DatabaseFile database;
        database.open(path, stampOfPath(path));
        fault();
        _exit(work(database) ? 0 : 1);
    }
    return pid;
}

int exitCode(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

class TestDatabaseFaults : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString folder;
    QString path;

    // Runs work in a child process under the fault; returns the child's exit code. A full disk
    // lets the file written grow from `startSize` by half of `newBytes` (none at all: DiskFullAtStart).
    int runWithFault(Fault fault, qint64 startSize, qint64 newBytes, const std::function<bool(DatabaseFile&)>& work)
    {
        std::function<void()> inject = [] {};
        switch (fault) {
        case Fault::None: break;
        case Fault::ReadOnlyFolder:
            chmod(QFile::encodeName(folder).constData(), 0555);
            inject = dropPrivileges;
            break;
        case Fault::DiskFullAtStart: inject = [=] { limitFileSize(startSize); }; break;
        case Fault::DiskFullHalfway: inject = [=] { limitFileSize(startSize + newBytes / 2); }; break;
        }
        const int code = exitCode(startChild(path, inject, work));
        chmod(QFile::encodeName(folder).constData(), 0755);
        return code;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Others may pass through the scratch folder, so that the unprivileged child reaches it.
        chmod(QFile::encodeName(dir.path()).constData(), 0755);
        folder = dir.filePath(QStringLiteral("db"));
        QVERIFY(QDir().mkpath(folder));
        path = folder + QStringLiteral("/music.VxDatabase");
    }

    void rewriteLeavesTheOldFileOrTheWholeNewOne_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("newRecords"); // small writes sit in a buffer, large ones go straight out
        QTest::newRow("no fault") << Fault::None << 3;
        QTest::newRow("read-only folder") << Fault::ReadOnlyFolder << 3;
        QTest::newRow("disk full, small database") << Fault::DiskFullAtStart << 3;
        QTest::newRow("disk full halfway, small database") << Fault::DiskFullHalfway << 3;
        QTest::newRow("disk full halfway, large database") << Fault::DiskFullHalfway << 3000;
    }
    void rewriteLeavesTheOldFileOrTheWholeNewOne()
    {
        QFETCH(Fault, fault);
        QFETCH(int, newRecords);
        const QByteArray oldBytes = bytesOf(makeTable(5));
        writeAll(path, oldBytes);
        const LibraryTable table = makeTable(newRecords, 100);
        const QByteArray newBytes = bytesOf(table);

        // The new content goes to a new file, which starts empty.
        const int code = runWithFault(fault, 0, newBytes.size(),
                                      [&](DatabaseFile& database) { return database.rewrite(table); });

        const bool faulty = fault != Fault::None;
        QCOMPARE(fileBytes(path), faulty ? oldBytes : newBytes);
        QCOMPARE(code, faulty ? 1 : 0);
        // No half-written copy is left lying next to it.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("music.VxDatabase")});
    }

    void appendStoresTheWholeRecordOrNothing_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("stored");
        QTest::newRow("no fault") << Fault::None << true;
        // The unprivileged user may not write the file: nothing is stored.
        QTest::newRow("file the user may not write") << Fault::ReadOnlyFolder << false;
        QTest::newRow("disk full") << Fault::DiskFullAtStart << false;
        QTest::newRow("disk full halfway through the record") << Fault::DiskFullHalfway << false;
    }
    void appendStoresTheWholeRecordOrNothing()
    {
        QFETCH(Fault, fault);
        QFETCH(bool, stored);
        const QByteArray oldBytes = bytesOf(makeTable(5));
        writeAll(path, oldBytes);
        const LibraryRecord record = LibraryRecord::fromTexts(u"New Artist", u"New Title", u"Pop", u"/srv/new.mp3");
        const QByteArray recordBytes = formatRecord(record);

        const int code = runWithFault(fault, oldBytes.size(), recordBytes.size(),
                                      [&](DatabaseFile& database) { return database.append(record); });

        QCOMPARE(code, stored ? 0 : 1);
        QCOMPARE(fileBytes(path), stored ? oldBytes + recordBytes : oldBytes);
    }

    void killedInTheMiddleOfARewrite()
    {
        const LibraryTable oldTable = makeTable(25000);
        LibraryTable newTable = makeTable(25000);
        newTable.remove(1);
        newTable.record(12345).title = QStringLiteral("Changed");
        const QByteArray oldBytes = bytesOf(oldTable);
        const QByteArray newBytes = bytesOf(newTable);
        auto rewrite = [&](DatabaseFile& database) { return database.rewrite(newTable); };

        // How long one whole rewrite takes here; the kills land spread over that time.
        writeAll(path, oldBytes);
        const auto start = std::chrono::steady_clock::now();
        QCOMPARE(exitCode(startChild(path, [] {}, rewrite)), 0);
        const auto took = std::chrono::steady_clock::now() - start;
        QCOMPARE(fileBytes(path), newBytes);

        const qint64 spanUs = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
        const int kills = 8;
        int keptOld = 0;
        int leftBehind = 0;
        for (int k = 0; k < kills; ++k) {
            writeAll(path, oldBytes);
            const qint64 delayUs = spanUs * k / kills + QRandomGenerator::global()->bounded(spanUs / kills + 1);
            const pid_t pid = startChild(path, [] {}, rewrite);
            usleep(useconds_t(delayUs));
            kill(pid, SIGKILL);
            exitCode(pid);
            const QByteArray after = fileBytes(path);
            QVERIFY2(after == oldBytes || after == newBytes,
                     qPrintable(QStringLiteral("killed after %1 us: %2 bytes").arg(delayUs).arg(after.size())));
            keptOld += after == oldBytes;
            // The new file has no name while it is written; a name given for the last moment
            // before the rename goes when the database is next opened.
            leftBehind += int(QDir(folder).entryList(QDir::Files | QDir::Hidden).size()) - 1;
            removeStaleTemporaryFiles(folder);
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("music.VxDatabase")});
        }
        qInfo("rewrite took %lld us; %d of %d kills left the old file, %d a temporary file", spanUs, keptOld, kills,
              leftBehind);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseFaults)
#include "tst_database_faults.moc"
