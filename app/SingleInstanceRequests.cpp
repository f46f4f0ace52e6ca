#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include <cstdio>

// What a later copy says to the running one, the same on every system: over the local socket
// one line, "activate" or "open" followed by the files' URLs (encoded, so that no name can break
// the line), answered by "ok"; over the bus, Activate or Open with the URLs.

namespace {

const QByteArray Request = QByteArrayLiteral("activate\n");
const QByteArray OpenRequest = QByteArrayLiteral("open");

QStringList localPaths(const QStringList& uris) {
    QStringList paths;
    for (const QString& uri : uris)
        if (const QUrl url(uri); url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

} // namespace

const QByteArray Answer = QByteArrayLiteral("ok\n");

QStringList SingleInstance::fileUris(const QStringList& paths) {
    QStringList uris;
    for (const QString& path : paths)
        uris.append(QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded()));
    return uris;
}

QByteArray SingleInstance::requestLine() const {
    if (m_pathsToOpen.isEmpty())
        return Request;
    return OpenRequest + ' ' + fileUris(m_pathsToOpen).join(u' ').toLatin1() + '\n';
}

void SingleInstance::listenAt(const QString& name) {
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::readRequest);
    if (!m_server->listen(name))
        std::fprintf(stderr,
                     "tessary: cannot listen on %s (%s): a later start will not find this copy\n",
                     qPrintable(name), qPrintable(m_server->errorString()));
}

std::optional<SingleInstance::Outcome>
SingleInstance::askRunningCopy(const QString& name, const QDeadlineTimer& deadline) const {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(500))
        return std::nullopt;
    socket.write(requestLine());
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(500))
        ;
    while (!socket.canReadLine() && !deadline.hasExpired() &&
           socket.state() == QLocalSocket::ConnectedState)
        socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    return socket.readLine() == Answer ? Outcome::Asked : Outcome::NoAnswer;
}

void SingleInstance::readRequest() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            if (line == Request || line.startsWith(OpenRequest + ' ')) {
                socket->write(Answer);
                socket->flush();
                if (line == Request)
                    Q_EMIT activationRequested();
                else
                    Q_EMIT openRequested(
                        localPaths(QString::fromLatin1(line.mid(OpenRequest.size()).trimmed())
                                       .split(u' ', Qt::SkipEmptyParts)));
            }
            socket->disconnectFromServer();
        });
    }
}

void SingleInstance::Activate(const QVariantMap&) {
    Q_EMIT activationRequested();
}

void SingleInstance::Open(const QStringList& uris, const QVariantMap&) {
    // Answered first: adding may ask the user something, and the caller waits for the reply.
    QTimer::singleShot(0, this, [this, paths = localPaths(uris)] { Q_EMIT openRequested(paths); });
}
