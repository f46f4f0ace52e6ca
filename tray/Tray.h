#pragma once

#include <QIcon>
#include <QObject>

#include <functional>

class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

// The notification-area icon of a window, for as long as the component lives: shows a tip,
// turns mouse actions on the icon into events and opens the pop-up menu on a right click.
// One per window; the owner must be a window. Minimising the owner needs nothing of ours on
// Linux: the window is the whole application there, so its own minimise is the application's.
class TTray : public QObject {
    Q_OBJECT

public:
    // Throws AppError "Owner Must Be TForm" for a missing owner or one that is not a window,
    // and "Only 1 TTray Per Form" when the owner already holds one (descendant classes count).
    explicit TTray(QWidget* owner);
    ~TTray() override;

    // At most this many characters of the hint become the tip.
    static constexpr int TipLength = 127;

    const QString& Hint() const { return m_hint; }
    // Keeps the text; the tip is only touched when its visible part changes.
    void SetHint(const QString& hint);
    const QIcon& Icon() const { return m_icon; }
    void SetIcon(const QIcon& icon);
    // Whether the session has a notification area to show the icon in.
    static bool IsAvailable();
    // Called once the owner is built: chooses a fallback icon (the owner's own, then the
    // application's) and shows the icon. Where no notification area exists yet, keeps looking
    // for one for a while, since a panel may come up after the program at logon.
    void Loaded();
    // Shows a passing message at the icon. Returns false, showing nothing, where the icon is
    // not in a notification area.
    bool ShowMessage(const QString& title, const QString& text);
    // The first TipLength characters of a hint, never splitting a character in two.
    static QString tipOf(const QString& hint);

    std::function<void()> OnDoubleClick;
    std::function<void()> OnLeftClick;
    std::function<void()> OnRightClick;
    // Not owned. Set before Loaded() for notification areas that draw the menu themselves.
    QMenu* PopupMenu = nullptr;

    QSystemTrayIcon* trayIcon() const { return m_tray; }

Q_SIGNALS:
    // A notification area appeared after Loaded found none; the icon is in it now.
    void availabilityChanged(bool available);

private:
    void onActivated(int reason);
    void checkAvailability();

    QWidget* m_owner;
    QString m_hint;
    QIcon m_icon;
    QSystemTrayIcon* m_tray = nullptr;
    QTimer* m_watch = nullptr;
    bool m_loaded = false;
    bool m_available = false;
    int m_watchRounds = 0;
};
