#include "settings/Picture2.h"

#include "app/FormParts.h"
#include "app/FormWidgets.h"
#include "app/platform/Errors.h"
#include "app/platform/LoginWords.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "settings/SettingsTable.h"
#include "wallpaper/ColorText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>

#include <exception>

TForm2* Form2 = nullptr;

QString TForm2::ZeroTimeText() {
    return tr("Hours, Minutes, and Seconds cannot all be set to 0.") + QStringLiteral("\n\n") +
           tr("Please set a valid time.");
}

namespace {

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
    setupUi(this);
    CheckBox1->setText(LoginWords::caption());
    CheckBox1->setToolTip(LoginWords::hint());
    setSwatch(m_settings.DesktopColor);
    // The list shows the placements in the user's language; the setting keeps the stored words.
    const QStringList words = {QStringLiteral("Determine"), QStringLiteral("Center"),
                               QStringLiteral("Tile"), QStringLiteral("Stretch")};
    for (int i = 0; i < words.size(); ++i)
        ComboBox1->setItemData(i, words[i]);
    FormParts::setUpDialog(this);
    // The focus starts where the Tab order does.
    Button3->setFocus();
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
    connect(Shape1, &ColorSwatch::clicked, this, wrap(&TForm2::Shape1MouseUp));
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

void TForm2::setSwatch(std::uint32_t color) {
    Shape1->setColor(toQColor(color));
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
        if (ComboBox1->itemData(i).toString().compare(m_settings.Position, Qt::CaseInsensitive) ==
            0) {
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
        m_dialogs.showInformation(this, windowTitle(), ZeroTimeText());
        return;
    }
    m_settings.countdown = working;
    m_settings.Position =
        ComboBox1->currentIndex() >= 0 ? ComboBox1->currentData().toString() : QString();
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
