#include "app/TerminationSignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

class TestVisibilitySignals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void signalArrivesOnTheEventLoop_data();
    void signalArrivesOnTheEventLoop();
    void burstIsDeliveredOnce();
    void destructionRestoresDefaults();
};

void TestVisibilitySignals::signalArrivesOnTheEventLoop_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestVisibilitySignals::signalArrivesOnTheEventLoop() {
    QFETCH(int, number);
    TerminationSignals watcher;
    QSignalSpy spy(&watcher, &TerminationSignals::received);
    std::raise(number);       // the process survives: the handler only writes to the pipe
    QCOMPARE(spy.count(), 0); // nothing runs inside the signal handler
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), number);
}

void TestVisibilitySignals::burstIsDeliveredOnce() {
    TerminationSignals watcher;
    QSignalSpy spy(&watcher, &TerminationSignals::received);
    std::raise(SIGTERM);
    std::raise(SIGTERM);
    std::raise(SIGTERM);
    QTRY_COMPARE(spy.count(), 1);
    QTest::qWait(50);
    QCOMPARE(spy.count(), 1);
}

void TestVisibilitySignals::destructionRestoresDefaults() {
    {
        TerminationSignals watcher;
        struct sigaction current {};
        sigaction(SIGTERM, nullptr, &current);
        QVERIFY(current.sa_handler != SIG_DFL);
    }
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        sigaction(number, nullptr, &current);
        QVERIFY(current.sa_handler == SIG_DFL);
    }
    // A second watcher works after the first is gone.
    TerminationSignals again;
    QSignalSpy spy(&again, &TerminationSignals::received);
    std::raise(SIGHUP);
    QTRY_COMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(TestVisibilitySignals)
#include "TestVisibilitySignals.moc"
