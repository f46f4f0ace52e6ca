#pragma once

#include <QDBusMessage>
#include <QString>

// Calls a desktop service on the session bus without holding the window up: the call waits at
// most CallTimeoutMs for an answer. A service that did not answer is taken to be stuck, and for
// the next StuckMs every call to it fails at once instead of waiting again, so a rotation goes on
// at its pace and a later pick tries again. The bus itself (org.freedesktop.DBus) found stuck
// counts for every service: nothing reaches them through it. Throws AppError "NAME did not
// answer in time ..." (the same text every time, so it is told once) when the service is stuck;
// any other reply, errors included, is returned.
QDBusMessage callDesktopService(const QDBusMessage& call, const QString& name);

// Whether the service's name is taken on the session bus, asked as every other call is (with
// NAME for the text when the bus does not answer).
bool desktopServiceRunning(const QString& service, const QString& name);

inline constexpr int CallTimeoutMs = 1000;
inline constexpr int StuckMs = 30000;
