#include "wallpaper/DesktopBus.h"

#include "app/platform/Errors.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QHash>

namespace {

const QString BusService = QStringLiteral("org.freedesktop.DBus");

} // namespace

QDBusMessage callDesktopService(const QDBusMessage& call, const QString& name) {
    // One entry per service, for the whole program: each backend is used from the one thread.
    static QHash<QString, QDeadlineTimer> stuckUntil;
    const AppError stuck(QCoreApplication::translate(
                             "Desktop", "%1 did not answer in time: the desktop was not changed.")
                             .arg(name));
    for (const QString& service : {BusService, call.service()}) {
        const auto known = stuckUntil.constFind(service);
        if (known != stuckUntil.cend() && !known->hasExpired())
            throw stuck;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        throw AppError(
            QCoreApplication::translate("Desktop", "%1 cannot be reached: there is no session bus.")
                .arg(name));
    const QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage &&
        (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
         reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.Timeout"))) {
        stuckUntil.insert(call.service(), QDeadlineTimer(StuckMs));
        throw stuck;
    }
    stuckUntil.remove(call.service());
    return reply;
}

bool desktopServiceRunning(const QString& service, const QString& name) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(BusService, QStringLiteral("/org/freedesktop/DBus"),
                                       BusService, QStringLiteral("NameHasOwner"));
    call << service;
    const QDBusMessage reply = callDesktopService(call, name);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toBool();
}
