#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class RemoteControl;

// Publishes a RemoteControl on a D-Bus connection as an MPRIS 2 media player: the object
// /org/mpris/MediaPlayer2 under the name org.mpris.MediaPlayer2.vexolin, or, while another
// Vexolin holds that name, org.mpris.MediaPlayer2.vexolin.instance<process id>. Every change
// the RemoteControl announces goes out as PropertiesChanged. Without a connection (no session
// bus) nothing is published and the program runs as it would anyway.
class MprisService : public QObject
{
    Q_OBJECT
public:
    MprisService(RemoteControl& remote, const QDBusConnection& connection);
    ~MprisService() override;

    // The name owned on the bus; empty when nothing was published.
    const QString& serviceName() const { return serviceName_; }

private:
    void announce(const QVariantMap& changed);

    QDBusConnection connection_;
    QString serviceName_;
};
