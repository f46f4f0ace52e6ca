#include "app/StartupFeedback.h"

// Windows ends a launch's busy cursor by itself: when the program first waits for input, or
// after a few seconds when it ends without a window. There is no id to pass on.

QByteArray StartupFeedback::launchId() {
    return {};
}

void StartupFeedback::end(const QByteArray&) {}
