#include "app/TerminationSignals.h"

#include "app/platform/Errors.h"

#include <QMetaObject>

#include <windows.h>

#include <atomic>
#include <csignal>

// Windows has no termination signals: a console's Ctrl+C, Ctrl+Break and closing stand for
// them (a logoff reaches the program through the session manager instead). The system calls
// the handler on a thread of its own; the signal is handed to the event loop from there.

namespace {

std::atomic<TerminationSignals*> g_instance{nullptr};
HANDLE g_ended = nullptr;

BOOL WINAPI onConsoleEvent(DWORD event) {
    TerminationSignals* instance = g_instance.load();
    if (!instance)
        return FALSE;
    const int number = event == CTRL_C_EVENT       ? SIGINT
                       : event == CTRL_BREAK_EVENT ? SIGBREAK
                                                   : SIGTERM;
    QMetaObject::invokeMethod(
        instance, [instance, number] { Q_EMIT instance->received(number); }, Qt::QueuedConnection);
    // After a close, logoff or shutdown the system ends the process when the handler returns:
    // give the program the time it has to save first.
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        WaitForSingleObject(g_ended, 4500);
    return TRUE;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent) {
    g_ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_instance = this;
    if (!g_ended || !SetConsoleCtrlHandler(onConsoleEvent, TRUE)) {
        g_instance = nullptr;
        throw AppError(QStringLiteral("Cannot watch for the end of the session."));
    }
}

TerminationSignals::~TerminationSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    g_instance = nullptr;
    SetEvent(g_ended);
}
