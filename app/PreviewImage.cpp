#include "app/PreviewImage.h"

#include <QContextMenuEvent>
#include <QPainter>

PreviewImage::PreviewImage(QWidget* parent)
    : QWidget(parent)
{
}

void PreviewImage::setImage(const QImage& image)
{
    m_image = image;
    rescale();
    update();
}

void PreviewImage::rescale()
{
    if (m_image.isNull() || width() <= 0 || height() <= 0) {
        m_scaled = QPixmap();
        return;
    }
    if (m_image.width() <= width() && m_image.height() <= height())
        m_scaled = QPixmap::fromImage(m_image);
    else
        m_scaled = QPixmap::fromImage(
            m_image.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void PreviewImage::resizeEvent(QResizeEvent*)
{
    rescale();
}

void PreviewImage::paintEvent(QPaintEvent*)
{
    if (m_scaled.isNull())
        return;
    QPainter p(this);
    p.drawPixmap((width() - m_scaled.width()) / 2, (height() - m_scaled.height()) / 2, m_scaled);
}

void PreviewImage::contextMenuEvent(QContextMenuEvent* event)
{
    Q_EMIT contextMenuRequested(event->globalPos());
}
