#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <memory>

// One copy of the program per session. The first copy owns a well-known name on the session
// bus, or, without a bus, a lock file and a local socket in the user's runtime folder; a later
// copy finds the owner, asks it to show its window, and ends. The bus frees the name of a copy
// that dies, and a lock whose process has gone is taken over, so a crash never blocks a start.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    // serviceName: the reverse-DNS application id, used as the bus name.
    // socketBase: the lock file and socket without a bus are socketBase + ".lock" / ".socket".
    SingleInstance(QString serviceName, QString socketBase, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Claims the session. Returns true when this is the first copy, which then listens for
    // later copies; false when another copy runs: it has been asked to show itself (a copy that
    // does not answer within a few seconds is reported on stderr) and this one should end.
    bool claim();

    // Which route the claim took: "session bus" or "local socket".
    QString route() const { return m_route; }

    // The bus object path of the org.freedesktop.Application interface for the name.
    static QString objectPath(const QString& serviceName);
    // The lock and socket base for the display this process runs on, in the given folder: a
    // session is one display.
    static QString sessionSocketBase(const QString& folder, const QString& name);

public Q_SLOTS:
    // org.freedesktop.Application, called by a later copy (or a launcher) over the bus.
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);

Q_SIGNALS:
    // A later copy asked this one to show its window.
    void activationRequested();

private:
    enum class Outcome { First, Asked, NoAnswer, Retry, NoRoute };
    Outcome claimOnBus();
    Outcome claimWithSocket();
    void readRequest();

    QString m_serviceName;
    QString m_socketBase;
    QString m_route;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
