#include "app/PreviewImage.h"

#include "app/FormWidgets.h"
#include "wallpaper/AreaScale.h"

#include <QContextMenuEvent>
#include <QPainter>

PreviewImage::PreviewImage(QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    describeDrawnControls();
}

bool PreviewImage::event(QEvent* event) {
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QWidget::event(event);
}

void PreviewImage::setImage(const QImage& image, QSize pictureSize) {
    m_image = image;
    m_pictureSize = pictureSize.isEmpty() ? image.size() : pictureSize;
    m_stale = true;
    update();
}

void PreviewImage::rescale() {
    m_stale = false;
    if (m_image.isNull() || width() <= 0 || height() <= 0) {
        m_scaled = QPixmap();
        return;
    }
    const bool reducedAlready = m_image.size() != m_pictureSize;
    if (m_pictureSize.width() <= width() && m_pictureSize.height() <= height()) {
        if (!reducedAlready) {
            m_scaled = QPixmap::fromImage(m_image);
            return;
        }
        // The window grew: shown at the picture's own size until a sharper copy comes.
        m_scaled = QPixmap::fromImage(
            m_image.scaled(m_pictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        Q_EMIT sharperImageWanted();
        return;
    }
    // Reduced to the screen's pixels behind the shown area, so that a scaled screen gets a
    // sharp preview.
    const qreal ratio = devicePixelRatioF();
    const QSize shown = m_pictureSize.scaled(size() * ratio, Qt::KeepAspectRatio);
    if (reducedAlready && (m_image.width() < shown.width() || m_image.height() < shown.height())) {
        m_scaled = QPixmap::fromImage(
            m_image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
        Q_EMIT sharperImageWanted();
        return;
    }
    // A cheap reduction to twice the shown size first: smoothing all of a large picture costs
    // as much as decoding it.
    QImage reduced = m_image;
    if (m_image.width() > 4 * shown.width())
        reduced = m_image.scaled(shown * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // Averaged as Qt's smooth scaling does, without its copy of the picture at 32 bits.
    QImage smooth = areaScaled(reduced, shown);
    if (smooth.isNull())
        smooth = reduced.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_scaled = QPixmap::fromImage(smooth);
    m_scaled.setDevicePixelRatio(ratio);
}

void PreviewImage::resizeEvent(QResizeEvent*) {
    m_stale = true;
}

void PreviewImage::paintEvent(QPaintEvent*) {
    if (m_stale)
        rescale();
    QPainter p(this);
    paintFocusMark(this, p, 0.5);
    if (m_scaled.isNull())
        return;
    const QSizeF shown = m_scaled.deviceIndependentSize();
    p.drawPixmap(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), m_scaled);
}

void PreviewImage::contextMenuEvent(QContextMenuEvent* event) {
    Q_EMIT contextMenuRequested(event->globalPos());
}
