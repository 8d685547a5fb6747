#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

// One Vexolin per desktop session. The first start owns the name org.vexolin.vexolin on the
// session bus and serves org.freedesktop.Application at /org/vexolin/vexolin; a later start hands
// the files of its command line to it there (Open with their file URLs, or Activate with none)
// and ends. Without a session bus every start is on its own. The claim may be made on another
// thread than the one the object lives in; calls from the bus arrive on the object's thread.
class SingleInstance : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    SingleInstance();
    ~SingleInstance() override;

    enum Outcome {
        // This process is the session's Vexolin now: handed-over files arrive as filesHandedOver.
        Serving,
        // The session's Vexolin took the files: this start ends.
        HandedOver,
        // No session bus: this process runs on its own.
        Alone,
        // The session's Vexolin did not take the files; problem() says why.
        Failed,
    };
    // Becomes the session's Vexolin on the connection, or hands the files (in order; relative
    // paths are taken from the current directory) to the one that is.
    Outcome serveOrHandOver(const QDBusConnection& connection, const QStringList& files);
    const QString& problem() const { return problem_; }

    // The bus side: files as file URLs; another address is refused with an error.
    void open(const QStringList& uris);
    void activate() { emit filesHandedOver({}); }
    void activateAction(const QString& name);

signals:
    // A later start handed over these files, in order (none: it asked to see the window).
    void filesHandedOver(const QStringList& files);

private:
    bool serve();
    // Sends the files to the name's owner; false, with problem_ set, when the call failed.
    bool handOver(const QStringList& files, bool* ownerGone);

    QDBusConnection connection_{QString()};
    bool serving_ = false;
    QString problem_;
};

// org.freedesktop.Application, the desktop's interface for opening files in a running program.
class ApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(SingleInstance& instance);

public slots:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameters, const QVariantMap& platformData);

private:
    SingleInstance& instance_;
};
