#pragma once

#include "ui_Picture3.h"

#include <QDialog>

class Registry;
class UserDialogs;

// The still-running notice, shown after the main window hides: it tells the user that the
// program keeps running and lets them turn the notice off for good. Its controls come from its
// form, Picture3.ui.
class TForm3 : public QDialog, public Ui::Picture3 {
    Q_OBJECT

public:
    // minimizeTell is the main window's flag: OK updates it together with the stored value.
    // Errors of OK are shown through dialogs.
    TForm3(Registry& registry, UserDialogs& dialogs, bool& minimizeTell, QWidget* parent = nullptr);

    // Stores the choice in the flag and in "MinimizeTell", then closes. When the value cannot
    // be stored it throws AppError and the notice stays open, the flag already changed.
    void Button1Click();
    // OK, and a close request from the window manager: both keep the choice.
    void reject() override;

protected:
    // Enter anywhere in the notice is OK; Escape, as a close, keeps the choice too.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Registry& m_registry;
    UserDialogs& m_dialogs;
    bool& m_minimizeTell;
};

extern TForm3* Form3;
