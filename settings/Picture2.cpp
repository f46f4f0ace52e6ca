#include "settings/Picture2.h"

#include "app/Artwork.h"
#include "app/FormParts.h"
#include "app/platform/Errors.h"
#include "app/platform/LoginWords.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "settings/SettingsTable.h"
#include "wallpaper/ColorText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>

#include <algorithm>
#include <array>
#include <exception>

TForm2* Form2 = nullptr;

const QString TForm2::ZeroTimeText =
    QStringLiteral("Hours, Minutes, and Seconds cannot all be set to 0.") + QStringLiteral("\n\n") +
    QStringLiteral("Please set a valid time.");

namespace {

const QString Caption = QStringLiteral("Tessary - Options");
constexpr int StripWidth = 281;
constexpr int StripHeight = 40;
constexpr int CornerSize = 20;
constexpr int EdgeWidth = 241;
constexpr int EdgeHeight = 3;

using FormParts::placed;
using FormParts::textLabel;
using FormParts::trebuchet;

// A borderless white strip with its six frame pictures: four corners, then the top and bottom
// edges. The pictures are drawn once and shared by every strip.
QFrame* strip(QWidget* parent, const char* name, int top) {
    static const std::array<QPixmap, 4> corners = {Artwork::frameCorner(0), Artwork::frameCorner(1),
                                                   Artwork::frameCorner(2),
                                                   Artwork::frameCorner(3)};
    static const QPixmap edge = Artwork::frameEdge(EdgeWidth, EdgeHeight);
    auto* frame =
        placed<QFrame>(parent, QString::fromLatin1(name), 8, top, StripWidth, StripHeight);
    FormParts::paintWhite(frame);
    const auto picture = [&](const QPixmap& pixmap, int index, int left, int y) {
        auto* label =
            placed<QLabel>(frame, frame->objectName() + QStringLiteral("Frame%1").arg(index), left,
                           y, pixmap.width(), pixmap.height());
        label->setPixmap(pixmap);
    };
    const int right = StripWidth - CornerSize;
    const int bottom = StripHeight - CornerSize;
    picture(corners[0], 1, 0, 0);
    picture(corners[1], 2, right, 0);
    picture(corners[2], 3, right, bottom);
    picture(corners[3], 4, 0, bottom);
    picture(edge, 5, CornerSize, 0);
    picture(edge, 6, CornerSize, StripHeight - EdgeHeight);
    return frame;
}

QSlider* trackBar(QWidget* parent, const char* name, int maximum, const QString& hint) {
    auto* bar = placed<QSlider>(parent, QString::fromLatin1(name), 8, 6, 243, 29);
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setTickPosition(QSlider::NoTicks);
    bar->setToolTip(hint);
    return bar;
}

QLabel* valueLabelWidget(QWidget* parent, const char* name) {
    auto* label = placed<QLabel>(parent, QString::fromLatin1(name), 251, 6, 28, 29);
    label->setText(QStringLiteral("00"));
    label->setFont(trebuchet(14, true));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                    int top, bool checked) {
    auto* box = placed<QCheckBox>(parent, QString::fromLatin1(name), 8, top, 281, 17);
    box->setText(caption);
    box->setToolTip(hint);
    box->setFont(trebuchet());
    box->setChecked(checked);
    // Only the box and its text take clicks: no wider than they are.
    box->resize(std::min(box->width(), box->sizeHint().width()), box->height());
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                    int left) {
    auto* b = placed<QPushButton>(parent, QString::fromLatin1(name), left, 304, 57, 24);
    b->setText(caption);
    b->setToolTip(hint);
    b->setFont(trebuchet());
    // Neither button answers Enter by itself.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QColor toQColor(std::uint32_t color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace

TForm2::TForm2(OptionsSettings settings, Platform& platform, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , savedColor(settings.DesktopColor)
    , chooserColor(settings.DesktopColor)
    , m_settings(std::move(settings))
    , m_platform(platform)
    , m_dialogs(dialogs) {
    buildLayout();
    connectHandlers();
}

QString TForm2::valueLabel(int value) {
    return value < 10 && value >= 0 ? QStringLiteral("0") + QString::number(value)
                                    : QString::number(value);
}

void TForm2::buildLayout() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Caption);
    // A dialog border with a title but no title-bar buttons.
    setWindowFlags(FormParts::bareDialogFlags());
    FormParts::keepDialogInView(this);
    setFixedSize(297, 337);
    FormParts::paintWhite(this);
    setFont(trebuchet());

    Label4 = textLabel(this, "Label4", QStringLiteral("Hours (Max 24):"), 8, 8);
    QFrame* hours = strip(this, "Panel1", 24);
    Label5 = textLabel(this, "Label5", QStringLiteral("Minutes (Max 59):"), 8, 65);
    QFrame* minutes = strip(this, "Panel2", 81);
    Label6 = textLabel(this, "Label6", QStringLiteral("Seconds (Max 59):"), 8, 122);
    QFrame* seconds = strip(this, "Panel3", 138);
    Label8 = textLabel(this, "Label8", QStringLiteral("Wallpaper Style Settings:"), 8, 179);
    QFrame* style = strip(this, "Panel4", 195);

    TrackBar3 =
        trackBar(hours, "TrackBar3", 24, QStringLiteral("Click and drag to set amount of Hours"));
    Label3 = valueLabelWidget(hours, "Label3");
    TrackBar1 = trackBar(minutes, "TrackBar1", 59,
                         QStringLiteral("Click and drag to set amount of Minutes"));
    Label1 = valueLabelWidget(minutes, "Label1");
    TrackBar2 = trackBar(seconds, "TrackBar2", 59,
                         QStringLiteral("Click and drag to set amount of Seconds"));
    Label2 = valueLabelWidget(seconds, "Label2");

    Label7 = textLabel(style, "Label7", QStringLiteral("Background Color:"), 0, 0);
    Label9 = textLabel(style, "Label9", QStringLiteral("Position:"), 0, 0);
    Shape1 = placed<QFrame>(style, QStringLiteral("Shape1"), 0, 8, 25, 25);
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setLineWidth(1);
    Shape1->setToolTip(QStringLiteral("Click to set Backgorund Color"));
    setSwatch(m_settings.DesktopColor);
    ComboBox1 = placed<QComboBox>(style, QStringLiteral("ComboBox1"), 0, 9, 89, 22);
    // Left to right: label, swatch, label, list. A fallback face wider than Trebuchet gets a
    // smaller size so that the row still fits its strip.
    for (int pixels = QFontInfo(Label7->font()).pixelSize(); pixels > 7; --pixels) {
        if (Label7->width() + Label9->width() + 25 + 89 + 6 + 3 + 5 + 3 + 6 <= StripWidth)
            break;
        for (QLabel* label : {Label7, Label9}) {
            QFont smaller = label->font();
            smaller.setPixelSize(pixels - 1);
            label->setFont(smaller);
            label->adjustSize();
        }
    }
    Label7->move(6, (StripHeight - Label7->height()) / 2);
    Shape1->move(Label7->geometry().right() + 4, 8);
    Label9->move(Shape1->geometry().right() + 6, (StripHeight - Label9->height()) / 2);
    ComboBox1->move(Label9->geometry().right() + 4, 9);
    ComboBox1->setEditable(false);
    ComboBox1->addItems({QStringLiteral("Determine"), QStringLiteral("Center"),
                         QStringLiteral("Tile"), QStringLiteral("Stretch")});
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setToolTip(QStringLiteral("Click to set Default Background Position"));

    CheckBox1 = checkBox(this, "CheckBox1", LoginWords::caption(), LoginWords::hint(), 246, true);
    CheckBox2 = checkBox(this, "CheckBox2", QStringLiteral("Start Minimized to Tray"),
                         QStringLiteral("Start Tessary in System Tray"), 262, false);
    CheckBox3 = checkBox(this, "CheckBox3", QStringLiteral("Auto-start Tessary Engine"),
                         QStringLiteral("Automatically Start Tessarying"), 278, false);

    Button3 = button(this, "Button3", QStringLiteral("OK"),
                     QStringLiteral("Click to apply the above changes"), 88);
    Button1 = button(this, "Button1", QStringLiteral("Cancel"),
                     QStringLiteral("Click to discard the above changes"), 152);

    for (QWidget* w :
         std::initializer_list<QWidget*>{Button3, Button1, TrackBar3, TrackBar1, TrackBar2,
                                         ComboBox1, CheckBox1, CheckBox2, CheckBox3})
        w->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(Button3, Button1);
    setTabOrder(Button1, TrackBar3);
    setTabOrder(TrackBar3, TrackBar1);
    setTabOrder(TrackBar1, TrackBar2);
    setTabOrder(TrackBar2, ComboBox1);
    setTabOrder(ComboBox1, CheckBox1);
    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, CheckBox3);
}

void TForm2::connectHandlers() {
    const auto wrap = [this](void (TForm2::*handler)()) {
        return [this, handler] { guarded([this, handler] { (this->*handler)(); }); };
    };
    connect(TrackBar3, &QSlider::valueChanged, this, wrap(&TForm2::TrackBar3Change));
    connect(TrackBar1, &QSlider::valueChanged, this, wrap(&TForm2::TrackBar1Change));
    connect(TrackBar2, &QSlider::valueChanged, this, wrap(&TForm2::TrackBar2Change));
    // The handler runs whenever the state changes, by a click or by FormShow.
    connect(CheckBox1, &QCheckBox::toggled, this, wrap(&TForm2::CheckBox1Click));
    connect(Button3, &QPushButton::clicked, this, wrap(&TForm2::Button3Click));
    connect(Button1, &QPushButton::clicked, this, wrap(&TForm2::Button1Click));
    Shape1->installEventFilter(this);
}

void TForm2::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const AppError& error) {
        m_dialogs.showError(this, error.text());
    } catch (const std::exception& error) {
        m_dialogs.showError(this, QString::fromLocal8Bit(error.what()));
    }
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Only the program's own showing loads the controls; un-minimising does not.
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Shape1 && event->type() == QEvent::MouseButtonRelease) {
        guarded([this] { Shape1MouseUp(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::setSwatch(std::uint32_t color) {
    Shape1->setAutoFillBackground(true);
    QPalette pal = Shape1->palette();
    pal.setColor(QPalette::Window, toQColor(color));
    pal.setColor(QPalette::WindowText, Qt::black);
    Shape1->setPalette(pal);
}

void TForm2::FormShow() {
    // A bar clamps a value outside its range. The working value follows the bar even when its
    // position did not change (a stored -1 on a bar at 0), so OK never stores what the
    // dialog does not show.
    const auto load = [](QSlider* bar, std::int32_t value, std::int32_t& workingValue,
                         QLabel* label) {
        workingValue = value;
        bar->setValue(value);
        workingValue = bar->value();
        label->setText(valueLabel(workingValue));
    };
    load(TrackBar3, m_settings.countdown.hours, working.hours, Label3);
    load(TrackBar1, m_settings.countdown.minutes, working.minutes, Label1);
    load(TrackBar2, m_settings.countdown.seconds, working.seconds, Label2);

    ComboBox1->setCurrentIndex(-1);
    for (int i = 0; i < ComboBox1->count(); ++i)
        if (ComboBox1->itemText(i).compare(m_settings.Position, Qt::CaseInsensitive) == 0) {
            ComboBox1->setCurrentIndex(i);
            break;
        }

    savedColor = m_settings.DesktopColor;
    setSwatch(m_settings.DesktopColor);
    chooserColor = m_settings.DesktopColor;

    if (m_settings.StartWithWindows)
        CheckBox1->setChecked(true);
    else {
        CheckBox1->setChecked(false);
        CheckBox2->setEnabled(false);
        CheckBox3->setEnabled(false);
    }
    CheckBox3->setChecked(m_settings.AutoStart);
    CheckBox2->setChecked(m_settings.Minimized);
}

void TForm2::TrackBar3Change() {
    working.hours = TrackBar3->value();
    Label3->setText(valueLabel(working.hours));
}

void TForm2::TrackBar1Change() {
    working.minutes = TrackBar1->value();
    Label1->setText(valueLabel(working.minutes));
}

void TForm2::TrackBar2Change() {
    working.seconds = TrackBar2->value();
    Label2->setText(valueLabel(working.seconds));
}

void TForm2::Shape1MouseUp() {
    const auto chosen = m_dialogs.chooseColor(this, toQColor(chooserColor));
    if (!chosen)
        return;
    const std::uint32_t color = RGBToColor(chosen->red(), chosen->green(), chosen->blue());
    chooserColor = color;
    setSwatch(color);
    m_settings.DesktopColor = color;
}

void TForm2::CheckBox1Click() {
    const bool on = CheckBox1->isChecked();
    CheckBox2->setEnabled(on);
    CheckBox3->setEnabled(on);
}

void TForm2::Button3Click() {
    if (working.isZero()) {
        m_platform.playWarningSound();
        m_dialogs.showInformation(this, Caption, ZeroTimeText);
        return;
    }
    m_settings.countdown = working;
    m_settings.Position = ComboBox1->currentIndex() >= 0 ? ComboBox1->currentText() : QString();
    if (m_settings.applyDesktopColor)
        m_settings.applyDesktopColor();
    if (CheckBox2->isEnabled()) {
        m_settings.Minimized = CheckBox2->isChecked();
        m_settings.AutoStart = CheckBox3->isChecked();
    } else {
        m_settings.Minimized = false;
        m_settings.AutoStart = false;
    }
    m_settings.StartWithWindows = CheckBox1->isChecked();

    writeSettings(m_platform.registry(), m_settings.values(), m_platform.executablePath(),
                  [](const SettingRow& row) { return row.editedByOptions; });
    accept();
}

SettingValues OptionsSettings::values() const {
    SettingValues values;
    values.AutoStart = AutoStart;
    values.Minimized = Minimized;
    values.Position = Position;
    values.countdown = countdown;
    values.StartWithWindows = StartWithWindows;
    return values;
}

void TForm2::Button1Click() {
    m_settings.DesktopColor = savedColor;
    QDialog::reject();
}

void TForm2::reject() {
    Button1Click();
}
