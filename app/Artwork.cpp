#include "app/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor FrameColor(0x9d, 0xb4, 0xd0);

} // namespace

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
    for (int size : {16, 32, 48})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

QPixmap Artwork::banner(int width, int height) {
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x80));
    g.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    p.fillRect(pixmap.rect(), g);
    p.drawPixmap(8, (height - 32) / 2, programIconPixmap(32));
    QFont title(QStringLiteral("Trebuchet MS"));
    title.setPixelSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(48, 0, width - 56, height - 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tessary"));
    QFont tagline(QStringLiteral("Trebuchet MS"));
    tagline.setPixelSize(11);
    p.setFont(tagline);
    p.setPen(QColor(0xe4, 0xef, 0xfa));
    p.drawText(QRect(49, height - 18, width - 56, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Randomly changes your wallpaper."));
    return pixmap;
}

QPixmap Artwork::frameCorner(int corner, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(FrameColor, 1.5));
    // The arc's centre sits at the inner corner of the piece.
    const qreal r = size - 1.5;
    const QPointF centres[4] = {
        {qreal(size), qreal(size)}, {0, qreal(size)}, {0, 0}, {qreal(size), 0}};
    const QPointF c = centres[corner & 3];
    const int startDegrees[4] = {90, 0, 270, 180};
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), startDegrees[corner & 3] * 16, 90 * 16);
    return pixmap;
}

QPixmap Artwork::frameEdge(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(QPen(FrameColor, 1.5));
    p.drawLine(QPointF(0, height / 2.0), QPointF(width, height / 2.0));
    return pixmap;
}
