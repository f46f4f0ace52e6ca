// Showing, hiding and ending the program.
#include "app/Picture1.h"

#include "app/FormParts.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "dialogs/Picture3.h"
#include "dialogs/Picture4.h"
#include "imagelist/ImagesDb.h"
#include "tray/Tray.h"

#include <QAction>
#include <QEvent>
#include <QScopeGuard>
#include <QTimer>

namespace {

QString ShowCaption() {
    return TForm1::tr("Show Tessary...");
}

QString HideCaption() {
    return TForm1::tr("Hide Tessary...");
}

void hideToTray(QWidget* window) {
    // Without a notification area a hidden window could never be brought back: minimise it.
    if (TTray::IsAvailable())
        window->hide();
    else
        window->showMinimized();
}

} // namespace

void TForm1::Button2Click() {
    // Stopping copies the configured period back, so that is what the settings keep.
    if (Timer2->isActive())
        Button3Click();
    // A Start whose first pick is on its way does not start any more.
    dropPick();
    ExitRequested = true;
    close();
}

bool TForm1::FormCloseQuery() {
    if (!ExitRequested) {
        hideToTray(this);
        WindowHidden = true;
        Show1->setText(ShowCaption());
        DisplayHiddenMessage();
        return false;
    }
    // The picture being written is written whole before the program ends: image.bmp is then
    // the new picture or still the old one, never a part.
    m_work->waitForAll();
    // A failure here leaves the program running with ExitRequested set: the error is shown,
    // nothing is lost, and the next close request tries again.
    SaveRegistry();
    if (!m_listCutAtNul || ImageList.entries() != *m_listCutAtNul)
        writeImagesDb(ImagesDbPath(), ImageList.entries());
    return true;
}

void TForm1::Show1Click() {
    // A minimised window is not in view: the toggle brings it back rather than hiding it.
    if (!WindowHidden && !isMinimized()) {
        hideToTray(this);
        Show1->setText(ShowCaption());
        WindowHidden = true;
        DisplayHiddenMessage();
        return;
    }
    FormParts::bringForward(this);
    // A dialog left open stays in front of the window it belongs to.
    m_dialogStacking.bringDialogsForward();
    // The main window is the program's only top-level window: there is no separate
    // application window whose taskbar button would need hiding.
    Show1->setText(HideCaption());
    WindowHidden = false;
}

void TForm1::bringToFront() {
    // Hidden or minimised, the toggle shows it; in view, the toggle would hide it.
    if (WindowHidden || isMinimized()) {
        Show1Click();
        return;
    }
    FormParts::bringForward(this);
    m_dialogStacking.bringDialogsForward();
}

void TForm1::DisplayHiddenMessage() {
    if (!MinimizeTell)
        return;
    if (qobject_cast<TForm3*>(m_openDialog)) {
        FormParts::bringForward(m_openDialog);
        return;
    }
    // Owned by the main window, as its other dialogs, but centred on the desktop: the owner
    // is hidden. Over a dialog left open it is that dialog's own, so that raising the dialog
    // raises the notice with it instead of covering the one window that takes input.
    QWidget* const owner = m_openDialog ? static_cast<QWidget*>(m_openDialog) : this;
    TForm3 notice(m_platform.registry(), m_dialogs, MinimizeTell, owner);
    Form3 = &notice;
    const auto forget = qScopeGuard([] { Form3 = nullptr; });
    showModal(notice);
}

void TForm1::Image20Click() {
    if (qobject_cast<TForm4*>(m_openDialog)) {
        FormParts::bringForward(m_openDialog);
        return;
    }
    TForm4 about(m_platform, this);
    Form4 = &about;
    const auto forget = qScopeGuard([] { Form4 = nullptr; });
    showModal(about);
}

void TForm1::changeEvent(QEvent* event) {
    // Without a notification area the window is minimised instead of hidden; brought back
    // from the taskbar, it is shown again and the toggle must say so.
    if (event->type() == QEvent::WindowStateChange && WindowHidden && isVisible() &&
        !isMinimized()) {
        WindowHidden = false;
        Show1->setText(HideCaption());
    }
    QMainWindow::changeEvent(event);
}
