#pragma once

#include <QCoreApplication>
#include <QString>

// How the start-at-login choice reads: on Windows users know it as starting with Windows; on
// Linux it means starting when the user logs in.
namespace LoginWords {
#ifdef Q_OS_WIN
inline QString caption() {
    return QCoreApplication::translate("LoginWords", "Start Tessary with Windows");
}
inline QString hint() {
    return QCoreApplication::translate("LoginWords", "Start Tessary on Windows Boot");
}
#else
inline QString caption() {
    return QCoreApplication::translate("LoginWords", "Start Tessary at login");
}
inline QString hint() {
    return QCoreApplication::translate("LoginWords", "Start Tessary when you log in");
}
#endif
} // namespace LoginWords
