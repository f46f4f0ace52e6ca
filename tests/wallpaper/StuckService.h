#pragma once

#include "app/platform/Errors.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTest>

#include <csignal>
#include <functional>

// Stops the desktop's settings service on the session bus and makes two changes: the first may
// wait a second or so, the next none, and both fail with the given text. The service is left
// known as stuck for a while: run this last.
inline void verifyStuckServiceFailsFast(const QString& service, const std::function<void()>& change,
                                        const QString& text) {
    const uint pid = QDBusConnection::sessionBus().interface()->servicePid(service);
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
    const auto resume = qScopeGuard([pid] { ::kill(pid_t(pid), SIGCONT); });
    QStringList texts;
    QList<qint64> waited;
    for (int i = 0; i < 2; ++i) {
        QElapsedTimer timer;
        timer.start();
        try {
            change();
        } catch (const AppError& error) {
            texts.append(error.text());
        }
        waited.append(timer.elapsed());
    }
    QCOMPARE(texts, QStringList({text, text}));
    QVERIFY2(waited[0] < 2000, qPrintable(QString::number(waited[0])));
    QVERIFY2(waited[1] < 100, qPrintable(QString::number(waited[1])));
}
