#pragma once

#include <QIcon>
#include <QObject>

#include <functional>

class QMenu;
class QSystemTrayIcon;
class QWidget;

// The notification-area icon of a window: shows a tip, turns mouse actions into events and
// opens the pop-up menu on a right click.
class TTray : public QObject {
    Q_OBJECT

public:
    explicit TTray(QWidget* owner);
    ~TTray() override;

    const QString& Hint() const { return m_hint; }
    void SetHint(const QString& hint);
    const QIcon& Icon() const { return m_icon; }
    void SetIcon(const QIcon& icon);
    // Whether the session has a notification area to show the icon in.
    static bool IsAvailable();
    // Called once the owner is built: chooses a fallback icon and shows the icon.
    void Loaded();

    std::function<void()> OnDoubleClick;
    std::function<void()> OnLeftClick;
    std::function<void()> OnRightClick;
    QMenu* PopupMenu = nullptr;

    QSystemTrayIcon* trayIcon() const { return m_icon_; }

private:
    QWidget* m_owner;
    QString m_hint;
    QIcon m_icon;
    QSystemTrayIcon* m_icon_;
};
