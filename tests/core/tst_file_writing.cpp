// Replacing a file atomically: any name the file system takes, nothing left beside it, the owner,
// group and mode kept; temporary files an interrupted write left are removed only when they are
// certainly the program's own.
#include "core/FileWriting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

struct stat statOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

QStringList everyFileIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestFileWriting : public QObject
{
    Q_OBJECT

private slots:
    // Names up to the file system's limit of 255 bytes, on the disk and on a tmpfs where there is
    // one: the temporary name does not grow with the name replaced.
    void longNamesCanBeReplaced_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QStringList folders{QDir::tempPath()};
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            folders.append(QStringLiteral("/dev/shm"));
        for (const QString& folder : folders) {
            const QString place = folder == QDir::tempPath() ? QStringLiteral("disk") : QStringLiteral("tmpfs");
            QTest::newRow(qPrintable(place + ", 250 bytes")) << folder << QString(236, 'n') + ".VxDatabase" + "abc";
            QTest::newRow(qPrintable(place + ", 255 bytes of accents"))
                << folder << QString(122, QChar(0xE9)) + ".VxDatabase"; // 244 + 11 bytes
        }
    }
    void longNamesCanBeReplaced()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QTemporaryDir dir(folder + QStringLiteral("/vexolin-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(name);
        QVERIFY(QFile::encodeName(name).size() <= 255);
        write(path, "old");

        QString error;
        QVERIFY2(writeFileAtomically(path, "new", &error), qPrintable(error));

        QCOMPARE(bytesOf(path), QByteArray("new"));
        QCOMPARE(everyFileIn(dir.path()), QStringList{name});
    }

    // The new file takes the old one's owner, group and permissions (set-group-ID included):
    // a database shared by a group stays writable for it.
    void ownerGroupAndModeStay()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Shared.VxDatabase"));
        write(path, "old");
        const QByteArray name = QFile::encodeName(path);
        // Root hands the file to another user and group, as a shared database is held.
        const bool asRoot = ::geteuid() == 0;
        if (asRoot)
            QCOMPARE(::chown(name.constData(), 65534, 100), 0);
        QCOMPARE(::chmod(name.constData(), 02664), 0);
        const struct stat before = statOf(path);

        QVERIFY(writeFileAtomically(path, "new"));

        const struct stat after = statOf(path);
        QVERIFY(after.st_ino != before.st_ino); // a new file took its place
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode & 07777, mode_t(02664));
        if (!asRoot)
            qInfo("not root: the owner was this user's already");
    }

    // What an interrupted write may leave is removed when its folder's database is opened, but
    // only a regular file of this user, named exactly as the program names them, that no writer
    // holds locked.
    void staleTemporaryFilesOfThisProgramAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind"); // file, locked, link, folder, other owner
        QTest::addColumn<bool>("removed");
        QTest::newRow("left by an interrupted write") << ".vexolin-a1b2c3.tmp" << "file" << true;
        QTest::newRow("being written by another Vexolin") << ".vexolin-a1b2c3.tmp" << "locked" << false;
        QTest::newRow("a link of that name") << ".vexolin-a1b2c3.tmp" << "link" << false;
        QTest::newRow("a folder of that name") << ".vexolin-a1b2c3.tmp" << "folder" << false;
        QTest::newRow("another user's file") << ".vexolin-a1b2c3.tmp" << "other owner" << false;
        QTest::newRow("capitals") << ".vexolin-A1B2C3.tmp" << "file" << false;
        QTest::newRow("longer") << ".vexolin-a1b2c3d.tmp" << "file" << false;
        QTest::newRow("without the dot") << "vexolin-a1b2c3.tmp" << "file" << false;
        QTest::newRow("another program's") << "notes.tmp" << "file" << false;
    }
    void staleTemporaryFilesOfThisProgramAlone()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(bool, removed);
        if (kind == "other owner" && ::geteuid() != 0)
            QSKIP("only root can make a file of another user");
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const QString database = dir.filePath(QStringLiteral("Music.VxDatabase"));
        write(database, "a\r\nt\r\ng\r\n/f\r\n");
        int held = -1;
        if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkdir(name));
        } else if (kind == "link") {
            QVERIFY(QFile::link(database, path));
        } else {
            write(path, "half a database");
            if (kind == "other owner")
                QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
            if (kind == "locked") {
                held = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
                QCOMPARE(::flock(held, LOCK_EX), 0);
            }
        }

        removeStaleTemporaryFiles(dir.path());

        QCOMPARE(!QFileInfo::exists(path) && !QFileInfo(path).isSymLink(), removed);
        QCOMPARE(bytesOf(database), QByteArray("a\r\nt\r\ng\r\n/f\r\n"));
        if (held >= 0)
            ::close(held);
    }
};

QTEST_GUILESS_MAIN(TestFileWriting)
#include "tst_file_writing.moc"
