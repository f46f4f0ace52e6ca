#include "tray/Tray.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

TTray::TTray(QWidget* owner)
    : QObject(owner)
    , m_owner(owner)
    , m_icon_(new QSystemTrayIcon(this))
{
    connect(m_icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick && OnDoubleClick)
                    OnDoubleClick();
                else if (reason == QSystemTrayIcon::Context && PopupMenu)
                    PopupMenu->popup(QCursor::pos());
            });
}

TTray::~TTray() = default;

void TTray::SetHint(const QString& hint)
{
    m_hint = hint;
    m_icon_->setToolTip(hint.left(127));
}

void TTray::SetIcon(const QIcon& icon)
{
    m_icon = icon;
    m_icon_->setIcon(icon);
}

void TTray::Loaded()
{
    if (m_icon.isNull())
        SetIcon(m_owner->windowIcon());
    m_icon_->show();
}

bool TTray::IsAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
