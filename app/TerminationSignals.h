#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so that the program can
// end through its usual save path. A signal handler may do almost nothing safely: it only
// writes the signal's number into a pipe that a socket notifier watches. One instance at a time.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Throws AppError when the pipe cannot be made.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Gives the signals back their default action.
    ~TerminationSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void drain();
    QSocketNotifier* m_notifier = nullptr;
};
