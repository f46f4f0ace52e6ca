#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <optional>

class QDeadlineTimer;

// One copy of the program per session. The first copy owns a well-known name on the session
// bus, or, without a bus, a lock file and a local socket in the user's runtime folder; a later
// copy finds the owner, asks it to show its window, and ends. The bus frees the name of a copy
// that dies, and a lock that no running copy holds (whatever it contains) is taken over, so a
// crash never blocks a start.
class SingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    // serviceName: the reverse-DNS application id, used as the bus name.
    // socketBase: the lock file and socket without a bus are socketBase + ".lock" / ".socket".
    SingleInstance(QString serviceName, QString socketBase, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Claims the session. Returns true when this is the first copy, which then listens for
    // later copies; false when another copy runs and this one should end: it has been asked to
    // show itself, or, when it did not answer within a few seconds, refusal() says so.
    bool claim();
    // Files and folders for the running copy to add, when this copy finds one (set before
    // claim()).
    void setPathsToOpen(const QStringList& paths) { m_pathsToOpen = paths; }
    // Why this copy does not start, for the user; empty when the running copy was asked to show
    // itself and did.
    QString refusal() const { return m_refusal; }

    // Which route the claim took: "session bus" or "local socket".
    QString route() const { return m_route; }

    // Whether the session bus accepts a connection but does not finish letting us in, or
    // answering our first call, within a second. Such a bus is best taken as no bus: Qt waits
    // for it without a bound on the calling thread the first time anything asks for it.
    static bool sessionBusHangs();

    // The bus object path of the org.freedesktop.Application interface for the name.
    static QString objectPath(const QString& serviceName);
    // The lock and socket base for the display this process runs on, in the given folder: a
    // session is one display.
    static QString sessionSocketBase(const QString& folder, const QString& name);
    // The folder for the lock and socket: fromEnvironment (XDG_RUNTIME_DIR) when it is a folder
    // of this user's that no one else may enter, else <tempFolder>/tessary-<uid>, else
    // fallback, each created with mode 0700 when missing and used only when it is this user's
    // and 0700 (another user could otherwise hold the lock or listen in our place). Empty when
    // none is.
    static QString privateFolder(const QString& fromEnvironment, const QString& tempFolder,
                                 const QString& fallback);

public Q_SLOTS:
    // org.freedesktop.Application, called by a later copy (or a launcher) over the bus.
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);
    // org.freedesktop.Application's "open these files": file: URIs; others are ignored.
    Q_SCRIPTABLE void Open(const QStringList& uris, const QVariantMap& platformData);

Q_SIGNALS:
    // A later copy asked this one to show its window.
    void activationRequested();
    // A later copy was given files and folders to add (local paths); the window is to be shown
    // too.
    void openRequested(const QStringList& paths);

private:
    enum class Outcome { First, Asked, NoAnswer, Retry, NoRoute };
    Outcome claimOnBus();
    Outcome claimWithSocket();
    void readRequest();
    // The line a later copy sends over the local socket, and the running copy's answer.
    QByteArray requestLine() const;
    // Serves later copies on the local socket (or pipe) of that name.
    void listenAt(const QString& name);
    // Asks the copy listening there to show itself (and open the files): nothing when none
    // listens, Asked when it answered before the deadline, NoAnswer when not.
    std::optional<Outcome> askRunningCopy(const QString& name,
                                          const QDeadlineTimer& deadline) const;
    static QStringList fileUris(const QStringList& paths);

    QString m_serviceName;
    QString m_socketBase;
    QString m_route;
    QString m_refusal;
    QStringList m_pathsToOpen;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
