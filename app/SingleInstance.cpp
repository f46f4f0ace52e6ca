#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

#include <cstdio>

namespace {

const QString Interface = QStringLiteral("org.freedesktop.Application");
const QByteArray Request = QByteArrayLiteral("activate\n");
const QByteArray Answer = QByteArrayLiteral("ok\n");
// How long a later copy waits for the running one: it may still be building its windows.
constexpr int AnswerWaitMs = 10000;

void warn(const QString& text) {
    std::fprintf(stderr, "tessary: %s\n", qPrintable(text));
}

} // namespace

SingleInstance::SingleInstance(QString serviceName, QString socketBase, QObject* parent)
    : QObject(parent)
    , m_serviceName(std::move(serviceName))
    , m_socketBase(std::move(socketBase)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::objectPath(const QString& serviceName) {
    return u'/' + QString(serviceName).replace(u'.', u'/').replace(u'-', u'_');
}

QString SingleInstance::sessionSocketBase(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return {};
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    for (QChar& c : display)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-')
            c = u'_';
    return folder + u'/' + name + (display.isEmpty() ? QString() : u'-' + display);
}

bool SingleInstance::claim() {
    // A copy that ends between our look and our call leaves the session free: look again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Outcome outcome = claimOnBus();
        if (outcome == Outcome::NoRoute)
            outcome = claimWithSocket();
        switch (outcome) {
        case Outcome::First:
            return true;
        case Outcome::Asked:
            return false;
        case Outcome::NoAnswer:
            warn(QStringLiteral("another copy is running (%1) but did not answer; not starting "
                                "a second one")
                     .arg(m_route));
            return false;
        case Outcome::Retry:
        case Outcome::NoRoute:
            break;
        }
    }
    warn(QStringLiteral("cannot tell whether another copy runs; starting anyway"));
    return true;
}

SingleInstance::Outcome SingleInstance::claimOnBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return Outcome::NoRoute;
    m_route = QStringLiteral("session bus");
    const QString path = objectPath(m_serviceName);
    // The object first: a copy that finds the name may call it at once.
    if (!bus.registerObject(path, this, QDBusConnection::ExportScriptableSlots))
        return Outcome::NoRoute;
    const auto registered =
        bus.interface()->registerService(m_serviceName, QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (registered.isValid() && registered.value() == QDBusConnectionInterface::ServiceRegistered)
        return Outcome::First;
    bus.unregisterObject(path);
    if (!registered.isValid()) {
        warn(QStringLiteral("the session bus refused the name %1: %2")
                 .arg(m_serviceName, registered.error().message()));
        return Outcome::NoRoute;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(m_serviceName, path, Interface, QStringLiteral("Activate"));
    call << QVariantMap();
    const QDBusMessage reply = bus.call(call, QDBus::Block, AnswerWaitMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Outcome::Asked;
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return Outcome::Retry;
    return Outcome::NoAnswer;
}

SingleInstance::Outcome SingleInstance::claimWithSocket() {
    m_route = QStringLiteral("local socket");
    if (m_socketBase.isEmpty()) {
        warn(QStringLiteral("no session bus and no runtime folder to look for another copy"));
        return Outcome::First;
    }
    const QString socketPath = m_socketBase + QStringLiteral(".socket");
    m_lock = std::make_unique<QLockFile>(m_socketBase + QStringLiteral(".lock"));
    // Only a lock whose process has gone is stale, however long the program has been running.
    m_lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(AnswerWaitMs);
    while (true) {
        if (m_lock->tryLock(0)) {
            // What a crashed copy left behind.
            QLocalServer::removeServer(socketPath);
            m_server = std::make_unique<QLocalServer>();
            m_server->setSocketOptions(QLocalServer::UserAccessOption);
            connect(m_server.get(), &QLocalServer::newConnection, this,
                    &SingleInstance::readRequest);
            if (!m_server->listen(socketPath))
                warn(QStringLiteral("cannot listen on %1 (%2): a later start will not find "
                                    "this copy")
                         .arg(socketPath, m_server->errorString()));
            return Outcome::First;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            warn(QStringLiteral("cannot lock %1; starting without looking for another copy")
                     .arg(m_lock->fileName()));
            return Outcome::First;
        }
        // The running copy may have taken the lock without listening yet.
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(500)) {
            socket.write(Request);
            while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(500))
                ;
            while (!socket.canReadLine() && !deadline.hasExpired() &&
                   socket.state() == QLocalSocket::ConnectedState)
                socket.waitForReadyRead(qMax<qint64>(1, deadline.remainingTime()));
            return socket.readLine() == Answer ? Outcome::Asked : Outcome::NoAnswer;
        }
        if (deadline.hasExpired())
            return Outcome::NoAnswer;
        QThread::msleep(100);
    }
}

void SingleInstance::readRequest() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == Request) {
                socket->write(Answer);
                socket->flush();
                Q_EMIT activationRequested();
            }
            socket->disconnectFromServer();
        });
    }
}

void SingleInstance::Activate(const QVariantMap&) {
    Q_EMIT activationRequested();
}
