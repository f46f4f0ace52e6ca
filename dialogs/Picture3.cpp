#include "dialogs/Picture3.h"

#include "app/Artwork.h"
#include "app/FormParts.h"
#include "app/platform/Errors.h"
#include "app/platform/Registry.h"
#include "app/platform/UserDialogs.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

TForm3* Form3 = nullptr;

TForm3::TForm3(Registry& registry, UserDialogs& dialogs, bool& minimizeTell, QWidget* parent)
    : QDialog(parent, FormParts::bareDialogFlags())
    , m_registry(registry)
    , m_dialogs(dialogs)
    , m_minimizeTell(minimizeTell) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Still Running"));
    setFixedSize(180, 121);
    FormParts::paintWhite(this);
    setFont(FormParts::trebuchet());

    Label1 = new QLabel(QStringLiteral("Tessary is still running!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    FormParts::fitWidth(Label1, width() - 4);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral("Tessary Tray Icon"));
    const QPixmap picture = trayPicture();
    Image1->setPixmap(picture);
    Image1->setGeometry(8, 26, picture.width(), picture.height());

    CheckBox1 = new QCheckBox(QStringLiteral("Don't show this message again"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setToolTip(QStringLiteral("Check to Never See This Message Again"));
    CheckBox1->move(8, 64);
    FormParts::fitWidth(CheckBox1, width() - 4);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Close Message"));
    Button1->setGeometry(48, 88, 75, 25);
    Button1->setAutoDefault(false);
    setTabOrder(CheckBox1, Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm3::reject);
    FormParts::keepDialogInView(this);

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
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

QPixmap TForm3::trayPicture() {
    const int width = 163;
    const int height = 30;
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // A stretch of panel with the notification area at its right end.
    QLinearGradient panel(0, 2, 0, height - 2);
    panel.setColorAt(0, QColor(0x5a, 0x86, 0xc0));
    panel.setColorAt(1, QColor(0x2c, 0x52, 0x8a));
    p.setPen(Qt::NoPen);
    p.setBrush(panel);
    p.drawRoundedRect(QRectF(0.5, 2.5, width - 1, height - 5), 4, 4);

    const QRectF area(62.5, 5.5, width - 66, height - 11);
    p.setBrush(QColor(0x9f, 0xc3, 0xea, 110));
    p.setPen(QPen(QColor(0x1f, 0x3f, 0x66), 1));
    p.drawRoundedRect(area, 3, 3);

    // Two neighbours, then the program's own icon, then the clock.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xe4, 0xf2));
    p.drawEllipse(QRectF(area.left() + 5, 10, 10, 10));
    p.drawRect(QRectF(area.left() + 21, 10, 10, 10));
    p.drawPixmap(QPointF(area.left() + 36, 7), Artwork::programIconPixmap(16));

    QFont clock = FormParts::trebuchet();
    clock.setPixelSize(11);
    clock.setBold(true);
    p.setFont(clock);
    p.setPen(Qt::white);
    p.drawText(QRectF(area.left() + 56, area.top(), area.right() - area.left() - 58, area.height()),
               Qt::AlignCenter, QStringLiteral("12:00"));
    return pixmap;
}
