#pragma once

#include <QByteArray>

// The launcher's busy cursor for a start (X11 startup notification). Qt ends it when the first
// window shows; a start that ends without a window must end it itself.
namespace StartupFeedback {
// The launch's id, from the environment; read it before the application object exists, which
// takes it from there.
QByteArray launchId();
// Tells the desktop that the start with this id is over. Does nothing without an id or X11.
void end(const QByteArray& id);
} // namespace StartupFeedback
