// The MPRIS 2 player on a D-Bus session bus of its own (the test runs under dbus-run-session):
// its name, the types its properties carry, its methods, and PropertiesChanged.
#include "JukeboxFixture.h"
#include "core/Library.h"
#include "core/PlaylistEntry.h"
#include "ui/mpris/MprisService.h"
#include "ui/mpris/RemoteControl.h"
#include "ui/playback/PlayerControl.h"
#include "core/Playlist.h"
#include "ui/window/ListBox.h"
#include "ui/window/MainWindow.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTest>

namespace {

const QString Name = QStringLiteral("org.mpris.MediaPlayer2.vexolin");
const QString Path = QStringLiteral("/org/mpris/MediaPlayer2");
const QString Root = QStringLiteral("org.mpris.MediaPlayer2");
const QString Player = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");

// A second connection to the bus, as a desktop's media widget would have.
QDBusConnection client()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
}

QDBusMessage call(const QString& interface, const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(Name, Path, interface, method);
    message.setArguments(arguments);
    return client().call(message, QDBus::BlockWithGui);
}

// A property as it arrives: a{sv} values stay QDBusArgument until demarshalled.
QVariant busProperty(const QString& interface, const QString& name)
{
    const QDBusMessage reply = call(Properties, QStringLiteral("Get"), {interface, name});
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QVariantMap map(const QVariant& value)
{
    return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
}

const QList<QStringList> Records = {{"Granite", "Stone Cold", "Rock", "/media/stone.wav"}};

} // namespace

// Records the PropertiesChanged signals that reach the client.
class ChangeListener : public QObject
{
    Q_OBJECT
public:
    QList<QPair<QString, QVariantMap>> received;
public slots:
    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        received.append({interface, changed});
    }
};

class TestMprisService : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "needs a session bus: run it under dbus-run-session");
    }

    void answersAsVexolin()
    {
        JukeboxFixture f;
        MprisService service(f.start().remoteControl(), QDBusConnection::sessionBus());
        QCOMPARE(service.serviceName(), Name);
        QCOMPARE(busProperty(Root, "Identity").toString(), QString("Vexolin"));
        QCOMPARE(busProperty(Root, "DesktopEntry").toString(), QString("vexolin"));
        QCOMPARE(busProperty(Root, "CanQuit").toBool(), true);
        QCOMPARE(busProperty(Root, "CanRaise").toBool(), true);
        QCOMPARE(busProperty(Root, "HasTrackList").toBool(), false);
        QCOMPARE(busProperty(Player, "PlaybackStatus").toString(), QString("Stopped"));
        QCOMPARE(busProperty(Player, "CanControl").toBool(), true);
        QCOMPARE(busProperty(Player, "CanPlay").toBool(), false);
    }

    // Clients read the metadata by their bus types: an object path, a list of artists, a
    // 64-bit length; the position is a 64-bit number of microseconds.
    void propertiesCarryTheirBusTypes()
    {
        JukeboxFixture f;
        Jukebox& j = f.startWithRecords(Records);
        MprisService service(j.remoteControl(), QDBusConnection::sessionBus());
        shownPlaylist(j.window().playlist).append({libraryEntry(j.library().table(), 1)});
        j.window().playlist->setCurrentRow(0);
        f.player.script.duration = 2.5;
        f.player.script.position = 1.5;

        const QVariantMap metadata = map(busProperty(Player, "Metadata"));
        QCOMPARE(metadata.value("mpris:trackid").metaType(), QMetaType::fromType<QDBusObjectPath>());
        QCOMPARE(metadata.value("xesam:title").toString(), QString("Stone Cold"));
        QCOMPARE(metadata.value("xesam:artist").toStringList(), QStringList{"Granite"});
        QCOMPARE(metadata.value("xesam:url").toString(), QString("file:///media/stone.wav"));
        QCOMPARE(metadata.value("mpris:length").metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(metadata.value("mpris:length").toLongLong(), 2'500'000);
        const QVariant position = busProperty(Player, "Position");
        QCOMPARE(position.metaType(), QMetaType::fromType<qlonglong>());
        QCOMPARE(position.toLongLong(), 1'500'000);
    }

    void methodsDriveTheTransport()
    {
        JukeboxFixture f;
        Jukebox& j = f.startWithRecords(Records);
        MprisService service(j.remoteControl(), QDBusConnection::sessionBus());
        shownPlaylist(j.window().playlist).append(entriesOfTexts({"/a.wav", "/b.wav"}));
        j.window().playlist->setCurrentRow(0);
        j.updateStatus();
        f.player.calls.clear();

        QCOMPARE(call(Player, "PlayPause").type(), QDBusMessage::ReplyMessage);
        QCOMPARE(call(Player, "Next").type(), QDBusMessage::ReplyMessage);
        j.updateStatus();
        QCOMPARE(f.player.calls, (QStringList{"pause", "open /b.wav", "open /b.wav"}));
        QCOMPARE(busProperty(Player, "CanGoNext").toBool(), false);
        QCOMPARE(busProperty(Player, "CanGoPrevious").toBool(), true);
    }

    void changesReachTheBus()
    {
        JukeboxFixture f;
        Jukebox& j = f.startWithRecords(Records);
        MprisService service(j.remoteControl(), QDBusConnection::sessionBus());
        ChangeListener listener;
        QVERIFY(client().connect(Name, Path, Properties, "PropertiesChanged", &listener,
                                 SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        shownPlaylist(j.window().playlist).append({entryOfText("/a.wav")});
        j.window().playlist->setCurrentRow(0);
        j.updateStatus();

        QTRY_COMPARE(listener.received.size(), 1);
        QCOMPARE(listener.received[0].first, Player);
        const QVariantMap changed = listener.received[0].second;
        QCOMPARE(changed.value("PlaybackStatus").toString(), QString("Playing"));
        QCOMPARE(map(changed.value("Metadata")).value("xesam:title").toString(), QString("a.wav"));
        QVERIFY(changed.value("CanPause").toBool());
        QVERIFY(!changed.contains("Position"));
    }

    void quitAnswersBeforeTheWindowCloses()
    {
        JukeboxFixture f;
        Jukebox& j = f.start();
        j.window().show();
        MprisService service(j.remoteControl(), QDBusConnection::sessionBus());
        QCOMPARE(call(Root, "Quit").type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(!j.window().isVisible());
    }

    // The usual name belongs to the first Vexolin; the next one takes an instance name, as
    // MPRIS asks of players that run more than once.
    void aSecondVexolinTakesAnInstanceName()
    {
        JukeboxFixture first;
        JukeboxFixture second;
        MprisService one(first.start().remoteControl(), QDBusConnection::sessionBus());
        MprisService two(second.start().remoteControl(),
                         QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second"));
        QCOMPARE(one.serviceName(), Name);
        QCOMPARE(two.serviceName(), Name + ".instance" + QString::number(QCoreApplication::applicationPid()));
    }

    void withoutABusNothingIsPublished()
    {
        JukeboxFixture f;
        MprisService service(f.start().remoteControl(), QDBusConnection(QStringLiteral("no bus")));
        QVERIFY(service.serviceName().isEmpty());
    }
};

QTEST_MAIN(TestMprisService)
#include "tst_mpris_service.moc"
