#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the modal dialogs open over a window in front of it. Qt drops the clicks on a window
// that a modal dialog blocks, and on X11 nothing brings the dialog forward by itself: a dialog
// left behind its window makes the window look dead. Activation still reaches a blocked window,
// so it is handed on to the dialog; and a dialog that takes input again, once the one opened
// over it has closed, comes to the front.
class DialogStacking : public QObject {
public:
    // Watches the application's windows for the window and the dialogs it owns; construct it
    // with the window, which it must not outlive.
    explicit DialogStacking(QWidget* window);

    // Puts every modal dialog open over the window in front of it, the one that takes input
    // last and active. Does nothing while no modal dialog is open.
    void bringDialogsForward();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // After the window manager's own raise and focus, not in the middle of them.
    void bringDialogsForwardLater();

    QWidget* m_window;
    // The windows that a modal dialog blocks, as Qt has told them.
    QList<QPointer<QWidget>> m_blocked;
    bool m_pending = false;
};
