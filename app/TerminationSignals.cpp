#include "app/TerminationSignals.h"

#include "app/platform/Errors.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
constexpr int Watched[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // Non-blocking: if the pipe is full a byte is already waiting, which is all that matters.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent) {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw AppError(tr("Cannot watch for termination signals: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno))));
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::drain);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : Watched)
        sigaction(number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (int number : Watched)
        std::signal(number, SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TerminationSignals::drain() {
    char bytes[16];
    int last = 0;
    ssize_t count = 0;
    while ((count = ::read(g_pipe[0], bytes, sizeof bytes)) > 0)
        last = bytes[count - 1];
    if (last == 0)
        return;
    // Signals that arrive while the receiver is busy (an error box of a failed save) wait in the
    // pipe and are delivered once, afterwards, instead of nesting.
    m_notifier->setEnabled(false);
    Q_EMIT received(last);
    m_notifier->setEnabled(true);
}
