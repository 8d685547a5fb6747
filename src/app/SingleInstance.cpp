#include "app/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

namespace {
const QString Name = QStringLiteral("org.vexolin.vexolin");
const QString ObjectPath = QStringLiteral("/org/vexolin/vexolin");
const QString Interface = QStringLiteral("org.freedesktop.Application");
// The running Vexolin answers at once, unless a long load holds it up.
constexpr int HandOverTimeoutMs = 60000;
} // namespace

SingleInstance::SingleInstance()
{
    new ApplicationAdaptor(*this);
}

SingleInstance::~SingleInstance()
{
    if (!serving_)
        return;
    connection_.unregisterService(Name);
    connection_.unregisterObject(ObjectPath);
}

SingleInstance::Outcome SingleInstance::serveOrHandOver(const QDBusConnection& connection, const QStringList& files)
{
    connection_ = connection;
    if (!connection_.isConnected())
        return Alone;
    // The owner may end between a refused claim and the call: then the name is free again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (serve())
            return Serving;
        bool ownerGone = false;
        if (handOver(files, &ownerGone))
            return HandedOver;
        if (!ownerGone)
            return Failed;
    }
    return Failed;
}

bool SingleInstance::serve()
{
    // The object is there before the name, so that no call reaches the name without it.
    if (!connection_.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    if (connection_.registerService(Name)) {
        serving_ = true;
        return true;
    }
    connection_.unregisterObject(ObjectPath);
    return false;
}

bool SingleInstance::handOver(const QStringList& files, bool* ownerGone)
{
    QDBusMessage call;
    if (files.isEmpty()) {
        call = QDBusMessage::createMethodCall(Name, ObjectPath, Interface, QStringLiteral("Activate"));
        call << QVariantMap();
    } else {
        QStringList uris;
        for (const QString& file : files)
            uris.append(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded));
        call = QDBusMessage::createMethodCall(Name, ObjectPath, Interface, QStringLiteral("Open"));
        call << uris << QVariantMap();
    }
    const QDBusMessage reply = connection_.call(call, QDBus::Block, HandOverTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    // An owner that ended while the call waited leaves the name free.
    *ownerGone = reply.errorName() == QDBusError::errorString(QDBusError::ServiceUnknown)
                 || !connection_.interface()->isServiceRegistered(Name).value();
    problem_ = QStringLiteral("the running Vexolin did not take the files: %1").arg(reply.errorMessage());
    return false;
}

void SingleInstance::open(const QStringList& uris)
{
    QStringList files;
    for (const QString& uri : uris) {
        const QUrl url(uri, QUrl::StrictMode);
        if (!url.isLocalFile()) {
            if (calledFromDBus())
                sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("Vexolin opens local files only: %1").arg(uri));
            return;
        }
        files.append(url.toLocalFile());
    }
    emit filesHandedOver(files);
}

void SingleInstance::activateAction(const QString& name)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::NotSupported, QStringLiteral("Vexolin has no action %1").arg(name));
}

ApplicationAdaptor::ApplicationAdaptor(SingleInstance& instance) : QDBusAbstractAdaptor(&instance), instance_(instance)
{
}

void ApplicationAdaptor::Activate(const QVariantMap&)
{
    instance_.activate();
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap&)
{
    instance_.open(uris);
}

void ApplicationAdaptor::ActivateAction(const QString& name, const QVariantList&, const QVariantMap&)
{
    instance_.activateAction(name);
}
