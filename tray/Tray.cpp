#include "tray/Tray.h"

#include "app/platform/Errors.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

namespace {

// While no notification area exists, look for one every few seconds for the first minutes:
// at logon the panel often comes up after the programs it should hold.
constexpr int WatchIntervalMs = 3000;
constexpr int WatchRounds = 100;

} // namespace

TTray::TTray(QWidget* owner)
    : QObject(owner)
    , m_owner(owner) {
    if (!owner || !owner->isWindow())
        throw AppError(QStringLiteral("Owner Must Be TForm"));
    // This component is already one of the owner's children, so a second one makes two.
    if (owner->findChildren<TTray*>().size() > 1)
        throw AppError(QStringLiteral("Only 1 TTray Per Form"));
    m_tray = new QSystemTrayIcon(this);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { onActivated(reason); });
}

// The QSystemTrayIcon child takes the icon out of the notification area as it goes.
TTray::~TTray() = default;

QString TTray::tipOf(const QString& hint) {
    qsizetype length = std::min<qsizetype>(hint.size(), TipLength);
    if (length < hint.size() && length > 0 && hint.at(length - 1).isHighSurrogate())
        --length;
    return hint.left(length);
}

void TTray::SetHint(const QString& hint) {
    m_hint = hint;
    const QString tip = tipOf(hint);
    // Some notification areas send the whole tip over the bus at each change: only real
    // changes go out. There Qt announces the new tip itself.
    const QString before = m_tray->toolTip();
    if (tip == before)
        return;
    m_tray->setToolTip(tip);
    // Where Qt draws the tip (an XEmbed notification area), one on screen keeps the text it
    // was shown with: show it again, so that a countdown being read goes on counting.
    if (!QToolTip::isVisible() || QToolTip::text() != before)
        return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("QSystemTrayIconSys") && window->underMouse())
            QToolTip::showText(QCursor::pos(), tip, window);
}

void TTray::SetIcon(const QIcon& icon) {
    m_icon = icon;
    m_tray->setIcon(icon);
}

void TTray::Loaded() {
    if (m_icon.isNull() && m_owner->testAttribute(Qt::WA_SetWindowIcon))
        SetIcon(m_owner->windowIcon());
    if (m_icon.isNull())
        SetIcon(QApplication::windowIcon());
    // An icon-less entry would be an invisible, unclickable spot in the panel.
    if (m_icon.isNull())
        SetIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    m_loaded = true;
    // A notification area that draws menus itself (StatusNotifierItem hosts) gets the menu over
    // the tray protocol; on Wayland a menu of our own would have no window to open from.
    if (PopupMenu && !OnRightClick)
        m_tray->setContextMenu(PopupMenu);
    m_available = IsAvailable();
    m_tray->show();
    if (!m_available) {
        m_watch = new QTimer(this);
        m_watch->setInterval(WatchIntervalMs);
        connect(m_watch, &QTimer::timeout, this, &TTray::checkAvailability);
        m_watch->start();
    }
}

void TTray::checkAvailability() {
    if (IsAvailable()) {
        m_watch->stop();
        m_available = true;
        // Showing again docks the icon in the notification area that has just appeared.
        m_tray->hide();
        m_tray->show();
        Q_EMIT availabilityChanged(true);
    } else if (++m_watchRounds >= WatchRounds) {
        m_watch->stop();
    }
}

bool TTray::ShowMessage(const QString& title, const QString& text) {
    // What was found at Loaded() and since: asking again means a call on the session bus for a
    // StatusNotifierItem host, unbounded in Qt, and a message may tell that the bus is stuck.
    if (!m_loaded || !m_tray->isVisible() || !m_available || !QSystemTrayIcon::supportsMessages())
        return false;
    m_tray->showMessage(title, text, QSystemTrayIcon::Warning);
    return true;
}

void TTray::onActivated(int reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        if (OnLeftClick)
            OnLeftClick();
        break;
    case QSystemTrayIcon::DoubleClick:
        if (OnDoubleClick) {
            OnDoubleClick();
        } else {
            if (m_owner->isMinimized())
                m_owner->showNormal();
            m_owner->raise();
            m_owner->activateWindow();
        }
        break;
    case QSystemTrayIcon::Context:
        // The menu grabs the pointer itself; the owner need not come forward first. Qt has
        // opened the icon's own menu already where it draws the icon (XEmbed); a host that
        // asks for the menu without drawing it gets ours.
        if (OnRightClick) {
            OnRightClick();
        } else if (PopupMenu && !PopupMenu->isVisible()) {
            // On Wayland a menu with no shown window to open from becomes a window of its own,
            // which a tiling compositor spreads over the screen; one of fixed size is floated.
            if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
                PopupMenu->setMinimumSize(0, 0);
                PopupMenu->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
                if (!m_owner->isVisible())
                    PopupMenu->setFixedSize(PopupMenu->sizeHint());
            }
            PopupMenu->popup(QCursor::pos());
        }
        break;
    default:
        break;
    }
}

bool TTray::IsAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}
