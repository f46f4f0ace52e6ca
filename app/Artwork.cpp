#include "app/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void Artwork::paintProgramIcon(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF frame(s * 0.06, s * 0.06, s * 0.88, s * 0.88);
    QPainterPath clip;
    clip.addRoundedRect(frame, s * 0.14, s * 0.14);
    QLinearGradient sky(0, frame.top(), 0, frame.bottom());
    sky.setColorAt(0, QColor(0x3b, 0x82, 0xc4));
    sky.setColorAt(1, QColor(0x9f, 0xd0, 0xf0));
    p.fillPath(clip, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd1, 0x4a));
    p.drawEllipse(QPointF(s * 0.68, s * 0.32), s * 0.11, s * 0.11);
    QPainterPath hills;
    hills.moveTo(frame.left(), s * 0.80);
    hills.quadTo(s * 0.30, s * 0.45, s * 0.55, s * 0.72);
    hills.quadTo(s * 0.75, s * 0.55, frame.right(), s * 0.70);
    hills.lineTo(frame.right(), frame.bottom());
    hills.lineTo(frame.left(), frame.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(0x3c, 0x9a, 0x4f));
    // Cut to the frame as a shape rather than a clip, so that vector output keeps the corners.
    p.drawPath(hills.intersected(clip));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1f, 0x3f, 0x66), qMax(1.0, s / 24)));
    p.drawRoundedRect(frame, s * 0.14, s * 0.14);
}

QPixmap Artwork::programIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paintProgramIcon(p, size);
    return pixmap;
}

QIcon Artwork::programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 96})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}
