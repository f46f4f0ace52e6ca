#include "app/FormWidgets.h"

#include "app/Artwork.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace {

const QColor FrameColor(0x9d, 0xb4, 0xd0);

bool releasedInside(QWidget* widget, QMouseEvent* event) {
    return widget->rect().contains(event->position().toPoint());
}

// Screen readers see the drawn controls as what they act as: the banner and the swatch as
// buttons, the preview as a picture.
QAccessibleInterface* drawnControlAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("Banner") || className == QLatin1String("ColorSwatch"))
        return new QAccessibleWidget(widget, QAccessible::Button);
    if (className == QLatin1String("PreviewImage"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void describeDrawnControls() {
    static const bool installed = (QAccessible::installFactory(drawnControlAccessible), true);
    Q_UNUSED(installed);
}

void paintFocusMark(QWidget* widget, QPainter& p, qreal inset) {
    if (!widget->hasFocus())
        return;
    QPen pen(Qt::black, 1, Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF frame = QRectF(widget->rect()).adjusted(inset, inset, -inset, -inset);
    p.drawRect(frame);
    pen.setColor(Qt::white);
    pen.setDashOffset(1);
    p.setPen(pen);
    p.drawRect(frame);
}

DrawnButton::DrawnButton(Qt::MouseButtons accepted, QWidget* parent)
    : QWidget(parent)
    , m_accepted(accepted) {
    setFocusPolicy(Qt::StrongFocus);
    describeDrawnControls();
}

void DrawnButton::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if ((event->button() & m_accepted) && releasedInside(this, event))
        Q_EMIT clicked();
}

void DrawnButton::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    const int key = event->key();
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space))
        Q_EMIT clicked();
    else
        QWidget::keyPressEvent(event);
}

Banner::Banner(QWidget* parent)
    : DrawnButton(Qt::LeftButton, parent) {
    setCursor(Qt::PointingHandCursor);
}

QSize Banner::sizeHint() const {
    return {457, 48};
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x80));
    g.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    p.fillRect(rect(), g);
    // Everything in proportion to the height, which follows the desktop's font.
    const qreal unit = height() / 48.0;
    const qreal icon = 32 * unit;
    p.save();
    p.translate(8 * unit, (height() - icon) / 2);
    Artwork::paintProgramIcon(p, icon);
    p.restore();
    QFont title = font();
    title.setPixelSize(std::max(1, qRound(22 * unit)));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    const qreal left = 48 * unit;
    p.drawText(QRectF(left, 0, width() - left - 8 * unit, height() - 14 * unit),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessary"));
    QFont tagline = font();
    tagline.setPixelSize(std::max(1, qRound(11 * unit)));
    p.setFont(tagline);
    p.setPen(QColor(0xe4, 0xef, 0xfa));
    p.drawText(QRectF(left + unit, height() - 18 * unit, width() - left - 8 * unit, 14 * unit),
               Qt::AlignLeft | Qt::AlignVCenter, tr("Randomly changes your wallpaper."));
}

RoundedStrip::RoundedStrip(QWidget* parent)
    : QFrame(parent) {}

void RoundedStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    // The line is as thick, and the corners as round, as the strip is high: a strip grown with
    // the desktop's font keeps the look of the usual 40 pixels.
    const qreal unit = height() / 40.0;
    const qreal pen = 1.5 * unit;
    p.setPen(QPen(FrameColor, pen));
    const QRectF frame = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    const qreal radius = std::min(18.5 * unit, frame.height() / 2);
    p.drawRoundedRect(frame, radius, radius);
}

ColorSwatch::ColorSwatch(QWidget* parent)
    : DrawnButton(Qt::AllButtons, parent) {}

void ColorSwatch::setColor(const QColor& color) {
    m_color = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_color);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    paintFocusMark(this, p, 2.5);
}

void ProgramIcon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int side = std::min(width(), height());
    p.translate((width() - side) / 2, (height() - side) / 2);
    Artwork::paintProgramIcon(p, side);
}

void TrayPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    // Drawn for 163 x 30 and scaled with the widget.
    p.scale(width() / 163.0, height() / 30.0);
    const qreal w = 163;
    const qreal h = 30;

    QLinearGradient panel(0, 2, 0, h - 2);
    panel.setColorAt(0, QColor(0x5a, 0x86, 0xc0));
    panel.setColorAt(1, QColor(0x2c, 0x52, 0x8a));
    p.setPen(Qt::NoPen);
    p.setBrush(panel);
    p.drawRoundedRect(QRectF(0.5, 2.5, w - 1, h - 5), 4, 4);

    const QRectF area(62.5, 5.5, w - 66, h - 11);
    p.setBrush(QColor(0x9f, 0xc3, 0xea, 110));
    p.setPen(QPen(QColor(0x1f, 0x3f, 0x66), 1));
    p.drawRoundedRect(area, 3, 3);

    // Two neighbours, then the program's own icon, then the clock.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xe4, 0xf2));
    p.drawEllipse(QRectF(area.left() + 5, 10, 10, 10));
    p.drawRect(QRectF(area.left() + 21, 10, 10, 10));
    p.save();
    p.translate(area.left() + 36, 7);
    Artwork::paintProgramIcon(p, 16);
    p.restore();

    QFont clock = font();
    clock.setPixelSize(11);
    clock.setBold(true);
    p.setFont(clock);
    p.setPen(Qt::white);
    p.drawText(QRectF(area.left() + 56, area.top(), area.right() - area.left() - 58, area.height()),
               Qt::AlignCenter, QStringLiteral("12:00"));
}

ElidingComboBox::ElidingComboBox(QWidget* parent)
    : QComboBox(parent) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    view()->setTextElideMode(Qt::ElideMiddle);
}

void ElidingComboBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    p.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, field.width() - 2);
    p.drawControl(QStyle::CE_ComboBoxLabel, option);
}

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    followPalette();
}

void LinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        followPalette();
}

void LinkLabel::followPalette() {
    // Set only when different: setting them raises the change events that call this.
    if (!font().underline()) {
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
    }
    if (foregroundRole() != QPalette::Link)
        setForegroundRole(QPalette::Link);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && releasedInside(this, event))
        Q_EMIT clicked();
}
