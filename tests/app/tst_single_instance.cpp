// One Vexolin per session, on a D-Bus session bus of its own (the test runs under
// dbus-run-session): the first instance serves, a later one hands its files over and ends.
#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

namespace {

// A connection of its own, as another process would have.
QDBusConnection connection(const QString& name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

// A later start: on a thread of its own, so that this thread's event loop can answer its call.
SingleInstance::Outcome startLater(const QStringList& files, QString* problem = nullptr)
{
    SingleInstance::Outcome outcome = SingleInstance::Failed;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        const QDBusConnection bus = connection(QStringLiteral("later"));
        SingleInstance later;
        outcome = later.serveOrHandOver(bus, files);
        if (problem)
            *problem = later.problem();
        QDBusConnection::disconnectFromBus(QStringLiteral("later"));
    }));
    thread->start();
    // This thread's events are handled while the later start waits for its answer.
    QDeadlineTimer deadline(20000);
    while (!thread->isFinished() && !deadline.hasExpired())
        QTest::qWait(10);
    if (!thread->wait(deadline))
        qFatal("the later start did not end");
    return outcome;
}

QDBusMessage callOpen(const QStringList& uris)
{
    QDBusMessage call = QDBusMessage::createMethodCall("org.vexolin.vexolin", "/org/vexolin/vexolin",
                                                       "org.freedesktop.Application", "Open");
    call << uris << QVariantMap();
    return connection("client").call(call, QDBus::BlockWithGui);
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "needs a session bus: run it under dbus-run-session");
    }

    // The later start's files arrive at the first in order, absolute, whatever their characters;
    // a start without files asks to see the window.
    void laterStartHandsItsFilesOver()
    {
        SingleInstance first;
        QCOMPARE(first.serveOrHandOver(connection("first"), {}), SingleInstance::Serving);
        QSignalSpy handed(&first, &SingleInstance::filesHandedOver);

        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QStringList files{"My Music.VxDatabase", dir.filePath("Ça #1 100%.mp3"), "sub/../b?.m3u"};
        const SingleInstance::Outcome outcome = startLater(files);
        QDir::setCurrent(previous);
        QCOMPARE(outcome, SingleInstance::HandedOver);
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed[0][0].toStringList(),
                 (QStringList{dir.filePath("My Music.VxDatabase"), dir.filePath("Ça #1 100%.mp3"), dir.filePath("b?.m3u")}));

        QCOMPARE(startLater({}), SingleInstance::HandedOver);
        QTRY_COMPARE(handed.size(), 2);
        QCOMPARE(handed[1][0].toStringList(), QStringList{});
        QDBusConnection::disconnectFromBus("first");
    }

    // Once the first has ended, the next start serves.
    void theNameIsFreeAgainWhenTheFirstEnds()
    {
        {
            SingleInstance first;
            QCOMPARE(first.serveOrHandOver(connection("first"), {}), SingleInstance::Serving);
        }
        QCOMPARE(startLater({"/x/a.mp3"}), SingleInstance::Serving);
        QDBusConnection::disconnectFromBus("first");
    }

    // An address that is no local file is refused, and nothing is opened.
    void otherAddressesAreRefused()
    {
        SingleInstance first;
        QCOMPARE(first.serveOrHandOver(connection("first"), {}), SingleInstance::Serving);
        QSignalSpy handed(&first, &SingleInstance::filesHandedOver);
        const QDBusMessage reply = callOpen({"file:///x/a.mp3", "http://radio.example/live"});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QDBusError::errorString(QDBusError::InvalidArgs));
        QVERIFY(reply.errorMessage().contains("http://radio.example/live"));
        QCOMPARE(handed.size(), 0);
        QCOMPARE(callOpen({"file:///x/a.mp3"}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(handed.size(), 1);
        QDBusConnection::disconnectFromBus("first");
    }

    // Something else holding the name that does not take the files: the start says why.
    void anOwnerThatRefusesIsReported()
    {
        QDBusConnection stranger = connection("stranger");
        QVERIFY(stranger.registerService("org.vexolin.vexolin"));
        QString problem;
        QCOMPARE(startLater({"/x/a.mp3"}, &problem), SingleInstance::Failed);
        QVERIFY2(problem.startsWith("the running Vexolin did not take the files: "), qPrintable(problem));
        stranger.unregisterService("org.vexolin.vexolin");
        QDBusConnection::disconnectFromBus("stranger");
    }

    // Without a session bus every start is on its own.
    void withoutABusEveryStartIsAlone()
    {
        SingleInstance alone;
        QCOMPARE(alone.serveOrHandOver(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"),
                                       {"/x/a.mp3"}),
                 SingleInstance::Alone);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
