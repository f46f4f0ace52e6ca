#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <windows.h>

#include <cstdio>

// Windows has no session bus: the lock file and the local socket (a named pipe) are the only
// route. The system keeps each user's temporary folder to that user, and QLockFile knows a
// lock whose process has ended by the process id it holds.

namespace {

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

QString SingleInstance::privateFolder(const QString& fromEnvironment, const QString& tempFolder,
                                      const QString& fallback) {
    for (const QString& base : {fromEnvironment, tempFolder}) {
        if (!QDir::isAbsolutePath(base))
            continue;
        const QString ours = base + QStringLiteral("/Tessary");
        if (QDir().mkpath(ours))
            return ours;
    }
    if (!fallback.isEmpty() && QDir().mkpath(fallback))
        return fallback;
    return {};
}

QString SingleInstance::sessionSocketBase(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return {};
    // A user may be logged on in several sessions at once (fast user switching, remote
    // desktop): one copy per session.
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return folder + u'/' + name + QStringLiteral("-session%1").arg(session);
}

bool SingleInstance::sessionBusHangs() {
    return false;
}

bool SingleInstance::claim() {
    const Outcome outcome = claimWithSocket();
    if (outcome != Outcome::NoAnswer)
        return outcome != Outcome::Asked;
    warn(QStringLiteral("another copy is running but did not answer; not starting a second one"));
    m_refusal = tr("Tessary is already running, but the running copy does not answer. "
                   "This copy will not start beside it: end the running copy, then "
                   "start Tessary again.");
    return false;
}

SingleInstance::Outcome SingleInstance::claimWithSocket() {
    m_route = QStringLiteral("local socket");
    if (m_socketBase.isEmpty()) {
        warn(QStringLiteral("no folder for the lock to look for another copy"));
        return Outcome::First;
    }
    // A pipe name is not a path: only the base's file name, which carries the session.
    const QString pipeName = m_serviceName + u'-' + QFileInfo(m_socketBase).fileName() + u'-' +
                             qEnvironmentVariable("USERNAME");
    m_lock = std::make_unique<QLockFile>(m_socketBase + QStringLiteral(".lock"));
    // Only a lock whose process has gone is stale, however long the program has been running.
    m_lock->setStaleLockTime(0);
    const QDeadlineTimer deadline(AnswerWaitMs);
    while (true) {
        if (m_lock->tryLock(0)) {
            listenAt(pipeName);
            return Outcome::First;
        }
        if (m_lock->error() != QLockFile::LockFailedError) {
            warn(QStringLiteral("cannot lock %1; starting without looking for another copy")
                     .arg(m_lock->fileName()));
            return Outcome::First;
        }
        // The running copy may have taken the lock without listening yet.
        if (const std::optional<Outcome> answer = askRunningCopy(pipeName, deadline))
            return *answer;
        if (deadline.hasExpired())
            return Outcome::NoAnswer;
        QThread::msleep(100);
    }
}
