#include "app/DialogStacking.h"

#include "app/FormParts.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

DialogStacking::DialogStacking(QWidget* window)
    : m_window(window) {
    // Dialogs and the windows they block come and go: watching the application sees each of
    // them without being installed on each.
    QCoreApplication::instance()->installEventFilter(this);
}

void DialogStacking::bringDialogsForward() {
    QWidget* const active = QApplication::activeModalWidget();
    if (!active)
        return;
    // Listed outermost first: a dialog exists before the ones opened over it. Only the one
    // that takes input is activated: a blocked dialog would hand the activation on.
    for (QDialog* dialog : m_window->findChildren<QDialog*>())
        if (dialog != active && dialog->isVisible() && dialog->isModal())
            dialog->raise();
    FormParts::bringForward(active);
}

void DialogStacking::bringDialogsForwardLater() {
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        bringDialogsForward();
    });
}

bool DialogStacking::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::WindowBlocked && type != QEvent::WindowUnblocked &&
        type != QEvent::WindowActivate && type != QEvent::WindowStateChange)
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isWindow())
        return false;
    m_blocked.removeAll(nullptr);
    switch (type) {
    case QEvent::WindowBlocked:
        if (!m_blocked.contains(window))
            m_blocked.append(window);
        break;
    case QEvent::WindowUnblocked:
        m_blocked.removeAll(window);
        // The dialog opened over this one has closed: this one takes input again, and the
        // window it blocks may have come back in front of it meanwhile.
        if (qobject_cast<QDialog*>(window) && window->isModal() && window->isVisible())
            bringDialogsForwardLater();
        break;
    case QEvent::WindowActivate:
        // Clicked or switched to: the dialog that blocks it takes over.
        if (m_blocked.contains(window))
            bringDialogsForwardLater();
        break;
    default:
        // Restored from the taskbar.
        if (m_blocked.contains(window) && window->isVisible() && !window->isMinimized())
            bringDialogsForwardLater();
        break;
    }
    return false;
}
