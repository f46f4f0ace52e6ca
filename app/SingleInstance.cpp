#include "app/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gio/gio.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <future>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QString Interface = QStringLiteral("org.freedesktop.Application");
// How long a later copy waits for the running one: it may still be building its windows.
constexpr int AnswerWaitMs = 10000;
// How long the session bus may take to let us in or to answer a call.
constexpr int BusWaitMs = 1000;
// How long a lock that no running copy holds is left alone before it is taken over: its
// creator may be between creating it and locking it.
constexpr int StaleLockWaitMs = 500;

void warn(const QString& text) {
    std::fprintf(stderr, "tessary: %s\n", qPrintable(text));
}

// What lies at a path, to tell whether it is still the same thing later.
struct Entry {
    struct stat status {};
    bool operator==(const Entry& other) const {
        const struct stat &a = status, &b = other.status;
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_mode == b.st_mode &&
               a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
               a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
               a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
    }
};

std::optional<Entry> entryAt(const QByteArray& path) {
    Entry entry;
    if (::lstat(path.constData(), &entry.status) != 0)
        return std::nullopt;
    return entry;
}

int openEntry(const QByteArray& path) {
    return ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

// A running copy holds its lock file locked (flock) for as long as it runs, whatever the file
// holds; nothing else at that place (a folder, a link, a file no one has locked) is a copy's.
bool heldByRunningCopy(const QByteArray& path) {
    const int fd = openEntry(path);
    if (fd < 0)
        return false;
    struct stat status {};
    const bool held = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                      ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

// Removes what lies at the lock's place if it is still what was seen and still no running
// copy's. Two copies starting at once take turns here, so that neither removes the lock the
// other has just made.
bool removeStaleLock(const QString& lockPath, const Entry& seen) {
    const QByteArray path = QFile::encodeName(lockPath);
    const int turn = ::open(QFile::encodeName(lockPath + QStringLiteral(".takeover")).constData(),
                            O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (turn >= 0 && ::flock(turn, LOCK_EX | LOCK_NB) != 0) {
        ::close(turn);
        return false;
    }
    const int fd = openEntry(path);
    struct stat status {};
    bool removed = false;
    // Locked by us while it goes, so that no copy can take it meanwhile.
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        if (entryAt(path) == seen)
            removed = S_ISDIR(seen.status.st_mode) ? QDir(lockPath).removeRecursively()
                                                   : ::unlink(path.constData()) == 0;
    }
    if (fd >= 0)
        ::close(fd);
    if (turn >= 0)
        ::close(turn);
    return removed;
}

// A folder of this user's that no one else may enter or change.
bool isPrivateFolder(const QString& folder) {
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & 07777) == 0700;
}

bool makePrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    // The mask may have left out bits; no one else can swap a folder we just made.
    if (::mkdir(path.constData(), 0700) == 0)
        ::chmod(path.constData(), 0700);
    return isPrivateFolder(folder);
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

QString SingleInstance::privateFolder(const QString& fromEnvironment, const QString& tempFolder,
                                      const QString& fallback) {
    if (QDir::isAbsolutePath(fromEnvironment) && isPrivateFolder(fromEnvironment))
        return fromEnvironment;
    if (!tempFolder.isEmpty()) {
        const QString ours = tempFolder + QStringLiteral("/tessary-%1").arg(::geteuid());
        if (makePrivateFolder(ours))
            return ours;
        warn(QStringLiteral("%1 is not a private folder of this user's; not using it").arg(ours));
    }
    if (!fallback.isEmpty() && QDir().mkpath(QFileInfo(fallback).path()) &&
        makePrivateFolder(fallback))
        return fallback;
    return {};
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

bool SingleInstance::sessionBusHangs() {
    auto answered = std::make_shared<std::promise<void>>();
    std::future<void> answer = answered->get_future();
    // Tried with GIO on a thread of its own, which is left behind if the bus hangs: Qt would
    // keep its own connection manager waiting, and every later user of the bus with it.
    std::thread([answered] {
        GError* error = nullptr;
        gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
        GDBusConnection* connection =
            address ? g_dbus_connection_new_for_address_sync(
                          address,
                          GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                               G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                          nullptr, nullptr, &error)
                    : nullptr;
        g_free(address);
        g_clear_error(&error);
        if (connection) {
            g_dbus_connection_close_sync(connection, nullptr, nullptr);
            g_object_unref(connection);
        }
        answered->set_value();
    }).detach();
    return answer.wait_for(std::chrono::milliseconds(BusWaitMs)) != std::future_status::ready;
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
            m_refusal = tr("Tessary is already running, but the running copy does not answer. "
                           "This copy will not start beside it: end the running copy, then "
                           "start Tessary again.");
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
    // The calls below use the bound of every other call, not Qt's 25 seconds.
    bus.interface()->setTimeout(BusWaitMs);
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
    QDBusMessage call = QDBusMessage::createMethodCall(
        m_serviceName, path, Interface,
        m_pathsToOpen.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
    if (!m_pathsToOpen.isEmpty())
        call << fileUris(m_pathsToOpen);
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
    const QString lockPath = m_socketBase + QStringLiteral(".lock");
    m_lock = std::make_unique<QLockFile>(lockPath);
    // Only a lock whose process has gone is stale, however long the program has been running.
    m_lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(AnswerWaitMs);
    // What lay at the lock's place, unheld, since when.
    std::optional<Entry> unheld;
    QDeadlineTimer unheldLongEnough;
    while (true) {
        if (m_lock->tryLock(0)) {
            // What a crashed copy left behind.
            QLocalServer::removeServer(socketPath);
            listenAt(socketPath);
            return Outcome::First;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            warn(QStringLiteral("cannot lock %1; starting without looking for another copy")
                     .arg(m_lock->fileName()));
            return Outcome::First;
        }
        // The running copy may have taken the lock without listening yet.
        if (const std::optional<Outcome> answer = askRunningCopy(socketPath, deadline))
            return *answer;
        // Nobody answers. A lock that no running copy holds (empty or garbage after a crash, or
        // not a file at all) would otherwise refuse every start until someone deletes it.
        const QByteArray lockBytes = QFile::encodeName(lockPath);
        if (heldByRunningCopy(lockBytes)) {
            unheld.reset();
        } else if (const auto now = entryAt(lockBytes); !now || !unheld || !(*now == *unheld)) {
            unheld = now;
            unheldLongEnough.setRemainingTime(StaleLockWaitMs);
        } else if (unheldLongEnough.hasExpired() && removeStaleLock(lockPath, *unheld)) {
            warn(QStringLiteral("took over the lock %1, which no running copy held").arg(lockPath));
            unheld.reset();
            continue;
        }
        if (deadline.hasExpired())
            return Outcome::NoAnswer;
        QThread::msleep(100);
    }
}
