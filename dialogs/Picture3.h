#pragma once

#include <QDialog>
#include <QPixmap>

class QCheckBox;
class QLabel;
class QPushButton;
class Registry;
class UserDialogs;

// The still-running notice, shown after the main window hides: it tells the user that the
// program keeps running and lets them turn the notice off for good.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    // minimizeTell is the main window's flag: OK updates it together with the stored value.
    // Errors of OK are shown through dialogs.
    TForm3(Registry& registry, UserDialogs& dialogs, bool& minimizeTell, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Button1 = nullptr;

    // Stores the choice in the flag and in "MinimizeTell", then closes. When the value cannot
    // be stored it throws AppError and the notice stays open, the flag already changed.
    void Button1Click();
    // OK, and a close request from the window manager: both keep the choice.
    void reject() override;

    // The picture of a notification area holding the program's icon, 163 x 30.
    static QPixmap trayPicture();

protected:
    // No cancel button: Escape does not close the notice.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Registry& m_registry;
    UserDialogs& m_dialogs;
    bool& m_minimizeTell;
};

extern TForm3* Form3;
