#pragma once

#include "rotation/Countdown.h"
#include "settings/SettingsTable.h"
#include "ui_Picture2.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class Platform;
class UserDialogs;

// The settings the Options dialog edits, held by the main window.
struct OptionsSettings {
    Countdown& countdown;
    QString& Position;
    std::uint32_t& DesktopColor;
    bool& StartWithWindows;
    bool& Minimized;
    bool& AutoStart;
    // Applies DesktopColor to the desktop and stores it.
    std::function<void()> applyDesktopColor;

    // The stored values this dialog writes, as they stand now.
    SettingValues values() const;
};

// The Options dialog: the change period, the placement, the background colour and the three
// start-up choices. A fresh instance serves one showing; OK writes its settings at once. Its
// controls come from its form, Picture2.ui.
class TForm2 : public QDialog, public Ui::Picture2 {
    Q_OBJECT

public:
    TForm2(OptionsSettings settings, Platform& platform, UserDialogs& dialogs,
           QWidget* parent = nullptr);

    // Handlers.
    void FormShow();
    void TrackBar3Change();
    void TrackBar1Change();
    void TrackBar2Change();
    void Shape1MouseUp();
    void CheckBox1Click();
    void Button3Click();
    void Button1Click();

    // The period being edited; copied to the settings only by OK.
    Countdown working{0, 0, 0};
    // DesktopColor as it was when shown; Cancel puts it back.
    std::uint32_t savedColor = 0;
    // The colour the colour chooser opens with.
    std::uint32_t chooserColor = 0;

    // The refusal of an all-zero period.
    static QString ZeroTimeText();

    // "00".."09", then the plain number.
    static QString valueLabel(int value);

public Q_SLOTS:
    // Escape and the window manager's close act as Cancel, so the colour is always restored.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void setSwatch(std::uint32_t color);
    // Runs a handler; an error leaving it is shown and the dialog stays as it is.
    void guarded(const std::function<void()>& handler);

    OptionsSettings m_settings;
    Platform& m_platform;
    UserDialogs& m_dialogs;
};

extern TForm2* Form2;
