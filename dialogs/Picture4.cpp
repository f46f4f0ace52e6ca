#include "dialogs/Picture4.h"

#include "app/Artwork.h"
#include "app/FormParts.h"
#include "app/platform/Platform.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TForm4* Form4 = nullptr;

const QString TForm4::ProductLine = QStringLiteral("Tessary 0.2");
const QString TForm4::Maker = QStringLiteral("Halvane Software");
const QString TForm4::HomePage = QStringLiteral("https://tessary.halvane.example/");
const QString TForm4::SupportAddress = QStringLiteral("support@tessary.halvane.example");

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top,
              const QFont& font) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(font);
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace

TForm4::TForm4(Platform& platform, QWidget* parent)
    : QDialog(parent, FormParts::bareDialogFlags())
    , m_platform(platform) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("About Tessary"));
    setFixedSize(337, 217);
    FormParts::keepDialogInView(this);
    FormParts::paintWhite(this);
    const QFont plain = FormParts::trebuchet();
    QFont bold = plain;
    bold.setBold(true);
    setFont(plain);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 6, 48, 48);
    Image1->setPixmap(Artwork::programIconPixmap(48).scaled(48, 48, Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation));

    Label1 = label(this, "Label1", ProductLine, 64, 8, FormParts::boldDefault());

    // Which desktop receives the wallpaper and which program file runs: the two facts a
    // support request needs first.
    BackendLabel =
        label(this, "BackendLabel", QStringLiteral("Wallpaper: %1").arg(m_platform.desktopName()),
              64, 26, plain);
    const QString program = m_platform.executablePath();
    ProgramLabel = label(this, "ProgramLabel",
                         QFontMetrics(plain).elidedText(program, Qt::ElideMiddle, width() - 72), 64,
                         40, plain);
    ProgramLabel->setToolTip(program);

    Label4 = label(this, "Label4", QStringLiteral("Tessary Developed By:"), 8, 64, bold);
    Label5 = label(this, "Label5", Maker, 8, 80, plain);
    Label6 = label(this, "Label6", QStringLiteral("Website:"), 8, 104, bold);

    Label9 = new LinkLabel(HomePage, this);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setToolTip(QStringLiteral("Click to Visit Tessary Home Page"));
    Label9->move(8, 120);
    Label9->adjustSize();

    Label8 = label(this, "Label8", QStringLiteral("Support:"), 8, 144, bold);

    Label7 = new LinkLabel(SupportAddress, this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setToolTip(QStringLiteral("Click to Create Help E-Mail"));
    Label7->move(8, 160);
    Label7->adjustSize();

    Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setToolTip(QStringLiteral("Close Window"));
    Button1->setGeometry(8, 184, 75, 25);
    Button1->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Label9, &LinkLabel::clicked, this, &TForm4::Label9Click);
    connect(Label7, &LinkLabel::clicked, this, &TForm4::Label7Click);
}

void TForm4::Button1Click() {
    accept();
}

void TForm4::Label9Click() {
    m_platform.openAddress(HomePage);
}

void TForm4::Label7Click() {
    m_platform.openAddress(QStringLiteral("mailto:") + SupportAddress);
}

void TForm4::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
