#include "dialogs/Picture3.h"

#include "app/FormParts.h"
#include "app/platform/Errors.h"
#include "app/platform/Registry.h"
#include "app/platform/UserDialogs.h"
#include "tray/Tray.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

TForm3* Form3 = nullptr;

TForm3::TForm3(Registry& registry, UserDialogs& dialogs, bool& minimizeTell, QWidget* parent)
    : QDialog(parent)
    , m_registry(registry)
    , m_dialogs(dialogs)
    , m_minimizeTell(minimizeTell) {
    setupUi(this);
    // No picture of an icon that is nowhere to be seen: the window went to the task bar.
    Image1->setVisible(TTray::IsAvailable());
    TaskBarLabel->setVisible(!TTray::IsAvailable());
    FormParts::setUpDialog(this);
    connect(Button1, &QPushButton::clicked, this, &TForm3::reject);

    // Centred on the desktop, not on the (hidden) main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm3::Button1Click() {
    m_minimizeTell = !CheckBox1->isChecked();
    m_registry.writeBool(RegistryKeys::Product, QStringLiteral("MinimizeTell"), m_minimizeTell);
    accept();
}

void TForm3::reject() {
    // Closed from its title bar, the notice keeps the choice made in it, as OK does.
    try {
        Button1Click();
    } catch (const AppError& error) {
        m_dialogs.showError(this, error.text());
    }
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
