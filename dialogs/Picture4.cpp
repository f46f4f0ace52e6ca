#include "dialogs/Picture4.h"

#include "app/FormParts.h"
#include "app/FormWidgets.h"
#include "app/Version.h"
#include "app/platform/Platform.h"
#include "tray/Tray.h"

#include <QFontMetrics>
#include <QLayout>
#include <QPushButton>

TForm4* Form4 = nullptr;

// The About box names the release series; the full version is for packages and bug reports.
const QString TForm4::ProductLine = QStringLiteral("Tessary " TESSARY_VERSION_MAJOR_MINOR);
const QString TForm4::Maker = QStringLiteral("Halvane Software");
const QString TForm4::HomePage = QStringLiteral(TESSARY_HOMEPAGE);
const QString TForm4::SupportAddress = QStringLiteral(TESSARY_SUPPORT);

TForm4::TForm4(Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform) {
    setupUi(this);
    Label1->setText(ProductLine);
    // Which desktop receives the wallpaper and which program file runs: the two facts a
    // support request needs first.
    BackendLabel->setText(tr("Wallpaper: %1").arg(m_platform.desktopName()));
    // Why a closed window went to the task bar rather than out of sight.
    TrayLabel->setVisible(!TTray::IsAvailable());
    Label5->setText(Maker);
    Label9->setText(HomePage);
    Label7->setText(SupportAddress);
    FormParts::setUpDialog(this);
    layout()->activate();
    // The path shortened in the middle to the room beside the icon, whole in its tip.
    const QString program = m_platform.executablePath();
    ProgramLabel->setText(QFontMetrics(ProgramLabel->font())
                              .elidedText(program, Qt::ElideMiddle,
                                          width() - ProgramLabel->mapTo(this, QPoint()).x() - 8));
    ProgramLabel->setToolTip(program);

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
