#include "ui/mpris/MprisService.h"

#include "ui/mpris/MprisAdaptors.h"
#include "ui/mpris/RemoteControl.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QStringList>

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString Name = QStringLiteral("org.mpris.MediaPlayer2.vexolin");
} // namespace

MprisService::MprisService(RemoteControl& remote, const QDBusConnection& connection) : connection_(connection)
{
    if (!connection_.isConnected())
        return;
    new MprisRootAdaptor(this, remote);
    new MprisPlayerAdaptor(this, remote, connection_);
    if (!connection_.registerObject(ObjectPath, this))
        return;
    const QString instanceName = Name + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    for (const QString& name : {Name, instanceName}) {
        if (connection_.registerService(name)) {
            serviceName_ = name;
            break;
        }
    }
    if (serviceName_.isEmpty()) {
        connection_.unregisterObject(ObjectPath);
        return;
    }
    connect(&remote, &RemoteControl::propertiesChanged, this, &MprisService::announce);
}

MprisService::~MprisService()
{
    if (serviceName_.isEmpty())
        return;
    connection_.unregisterService(serviceName_);
    connection_.unregisterObject(ObjectPath);
}

void MprisService::announce(const QVariantMap& changed)
{
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << changed << QStringList();
    connection_.send(signal);
}
