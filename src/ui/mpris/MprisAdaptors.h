#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class RemoteControl;

// The two interfaces of an MPRIS 2 media player, as D-Bus adaptors of the object that
// MprisService publishes. Each passes what it is asked to the RemoteControl.

// org.mpris.MediaPlayer2: who the player is; Raise and Quit.
class MprisRootAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    MprisRootAdaptor(QObject* object, RemoteControl& remote);

    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const { return QStringLiteral("Vexolin"); }
    QString desktopEntry() const { return QStringLiteral("vexolin"); }
    // What OpenUri takes: the addresses and the audio and video types the player plays (the
    // types the launcher offers to open).
    QStringList supportedUriSchemes() const;
    QStringList supportedMimeTypes() const;

public slots:
    void Raise();
    void Quit();

private:
    RemoteControl& remote_;
};

// org.mpris.MediaPlayer2.Player: the transport, the play state and what is playing, seeking,
// the volume, and addresses to open. The introspection data are written out so that Position
// can say that its changes are not announced (clients ask for it, or follow Seeked).
class MprisPlayerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"org.mpris.MediaPlayer2.Player\">\n"
                "    <method name=\"Next\"/>\n"
                "    <method name=\"Previous\"/>\n"
                "    <method name=\"Pause\"/>\n"
                "    <method name=\"PlayPause\"/>\n"
                "    <method name=\"Stop\"/>\n"
                "    <method name=\"Play\"/>\n"
                "    <method name=\"Seek\"><arg name=\"Offset\" type=\"x\" direction=\"in\"/></method>\n"
                "    <method name=\"SetPosition\">\n"
                "      <arg name=\"TrackId\" type=\"o\" direction=\"in\"/>\n"
                "      <arg name=\"Position\" type=\"x\" direction=\"in\"/>\n"
                "    </method>\n"
                "    <method name=\"OpenUri\"><arg name=\"Uri\" type=\"s\" direction=\"in\"/></method>\n"
                "    <signal name=\"Seeked\"><arg name=\"Position\" type=\"x\"/></signal>\n"
                "    <property name=\"PlaybackStatus\" type=\"s\" access=\"read\"/>\n"
                "    <property name=\"Rate\" type=\"d\" access=\"readwrite\"/>\n"
                "    <property name=\"Metadata\" type=\"a{sv}\" access=\"read\">\n"
                "      <annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"QVariantMap\"/>\n"
                "    </property>\n"
                "    <property name=\"Volume\" type=\"d\" access=\"readwrite\"/>\n"
                "    <property name=\"Position\" type=\"x\" access=\"read\">\n"
                "      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" value=\"false\"/>\n"
                "    </property>\n"
                "    <property name=\"MinimumRate\" type=\"d\" access=\"read\"/>\n"
                "    <property name=\"MaximumRate\" type=\"d\" access=\"read\"/>\n"
                "    <property name=\"CanGoNext\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanGoPrevious\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanPlay\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanPause\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanSeek\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanControl\" type=\"b\" access=\"read\">\n"
                "      <annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" value=\"false\"/>\n"
                "    </property>\n"
                "  </interface>\n")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)
public:
    // connection: where OpenUri's refusals are answered.
    MprisPlayerAdaptor(QObject* object, RemoteControl& remote, const QDBusConnection& connection);

    QString playbackStatus() const;
    double rate() const { return 1.0; }
    void setRate(double rate);
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;
    bool canControl() const { return true; }

public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong position);
    void OpenUri(const QString& uri, const QDBusMessage& message);

signals:
    void Seeked(qlonglong position);

private:
    RemoteControl& remote_;
    QDBusConnection connection_;
};
