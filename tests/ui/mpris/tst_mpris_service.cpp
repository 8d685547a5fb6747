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
#include <QFile>
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

public:
    // Every change to the player interface received so far, the later value of a property kept.
    QVariantMap player() const
    {
        QVariantMap merged;
        for (const auto& [interface, changed] : received)
            if (interface == Player)
                merged.insert(changed);
        return merged;
    }
};

// Records the Seeked signals that reach the client.
class SeekListener : public QObject
{
    Q_OBJECT
public:
    QList<qlonglong> positions;
public slots:
    void seeked(qlonglong position) { positions.append(position); }
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

        // What the player changed at once and what the status tick found, in one or two signals.
        QVariantMap changed;
        QTRY_VERIFY((changed = listener.player()).contains("CanPause"));
        QCOMPARE(changed.value("PlaybackStatus").toString(), QString("Playing"));
        QCOMPARE(map(changed.value("Metadata")).value("xesam:title").toString(), QString("a.wav"));
        QVERIFY(changed.value("CanPause").toBool());
        QVERIFY(!changed.contains("Position"));
    }

    // Seek, SetPosition, Volume and Rate over the bus, and Seeked back to the client.
    void seekingAndVolumeOverTheBus()
    {
        JukeboxFixture f;
        Jukebox& j = f.startWithRecords(Records);
        MprisService service(j.remoteControl(), QDBusConnection::sessionBus());
        SeekListener listener;
        QVERIFY(client().connect(Name, Path, Player, "Seeked", &listener, SLOT(seeked(qlonglong))));
        shownPlaylist(j.window().playlist).append({entryOfText("/a.wav")});
        j.window().playlist->setCurrentRow(0);
        f.player.script.duration = 60;
        QCOMPARE(busProperty(Player, "CanSeek").toBool(), true);

        QCOMPARE(call(Player, "Seek", {qlonglong(10'000'000)}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(f.player.currentPosition(), 10.0);
        const QString track = map(busProperty(Player, "Metadata")).value("mpris:trackid").value<QDBusObjectPath>().path();
        QCOMPARE(call(Player, "SetPosition", {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(30'000'000)}).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(f.player.currentPosition(), 30.0);
        QTRY_COMPARE(listener.positions, (QList<qlonglong>{10'000'000, 30'000'000}));

        QCOMPARE(call(Properties, "Set", {Player, "Volume", QVariant::fromValue(QDBusVariant(0.25))}).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(f.player.volume(), 25);
        QCOMPARE(busProperty(Player, "Volume").toDouble(), 0.25);
        QCOMPARE(call(Properties, "Set", {Player, "Rate", QVariant::fromValue(QDBusVariant(1.5))}).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(busProperty(Player, "Rate").toDouble(), 1.0);

        f.player.emitSeekable(false);
        QCOMPARE(busProperty(Player, "CanSeek").toBool(), false);
        call(Player, "Seek", {qlonglong(5'000'000)});
        QCOMPARE(f.player.currentPosition(), 30.0);
    }

    void openUriPlaysOrSaysWhyNot()
    {
        JukeboxFixture f;
        Jukebox& j = f.startWithRecords(Records);
        MprisService service(j.remoteControl(), QDBusConnection::sessionBus());
        QCOMPARE(call(Player, "OpenUri", {QString("file:///media/new.wav")}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(JukeboxFixture::texts(j.window().playlist), QStringList{"/media/new.wav"});
        QCOMPARE(f.player.calls.filter("open"), QStringList{"open /media/new.wav"});

        const QDBusMessage refused = call(Player, "OpenUri", {QString("fd://0")});
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QVERIFY2(refused.errorMessage().contains("fd://0"), qPrintable(refused.errorMessage()));
        QCOMPARE(j.window().playlist->count(), 1);
    }

    // The address schemes and the types offered are what the player takes and what the launcher
    // lists; Position says that its changes are not announced.
    void describesWhatItTakes()
    {
        JukeboxFixture f;
        MprisService service(f.start().remoteControl(), QDBusConnection::sessionBus());
        const QStringList schemes = busProperty(Root, "SupportedUriSchemes").toStringList();
        QVERIFY(schemes.contains("file") && schemes.contains("https") && schemes.contains("rtsp"));
        QVERIFY(!schemes.contains("fd"));

        QFile launcher(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/vexolin.desktop"));
        QVERIFY(launcher.open(QIODevice::ReadOnly));
        QStringList launched;
        for (const QByteArray& line : launcher.readAll().split('\n'))
            if (line.startsWith("MimeType="))
                launched = QString::fromUtf8(line.mid(9)).split(';', Qt::SkipEmptyParts);
        launched.removeIf([](const QString& type) { return type.startsWith("application/"); });
        QCOMPARE(busProperty(Root, "SupportedMimeTypes").toStringList(), launched);

        const QDBusMessage introspection = QDBusMessage::createMethodCall(
            Name, Path, QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
        const QString xml = client().call(introspection, QDBus::BlockWithGui).arguments().value(0).toString();
        const qsizetype position = xml.indexOf(R"(<property name="Position")");
        QVERIFY2(position > 0, qPrintable(xml));
        QVERIFY(xml.indexOf("EmitsChangedSignal", position) < xml.indexOf("</property>", position));
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
