#include "app/UpDown.h"

#include <QToolButton>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Position and maximum are 16-bit values, as on the platform control.
int clamp16(int value) {
    return std::clamp(value, int{std::numeric_limits<std::int16_t>::min()},
                      int{std::numeric_limits<std::int16_t>::max()});
}

} // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent)
    , m_left(new QToolButton(this))
    , m_right(new QToolButton(this)) {
    m_left->setArrowType(Qt::LeftArrow);
    m_right->setArrowType(Qt::RightArrow);
    m_left->setObjectName(QStringLiteral("left"));
    m_right->setObjectName(QStringLiteral("right"));
    m_left->setAccessibleName(tr("Previous Picture"));
    m_right->setAccessibleName(tr("Next Picture"));
    connect(m_left, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_right, &QToolButton::clicked, this, [this] { step(+1); });
}

void UpDown::setPosition(int position) {
    m_position = std::clamp(clamp16(position), 0, std::max(0, m_maximum));
}

void UpDown::setMaximum(int maximum) {
    m_maximum = clamp16(maximum);
    setPosition(m_position);
}

void UpDown::step(int delta) {
    setPosition(m_position + delta);
    Q_EMIT clicked();
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    m_left->setGeometry(0, 0, half, height());
    m_right->setGeometry(half, 0, width() - half, height());
}
