#include "ListImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int kSize = 16;

QPixmap blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A coloured dot with a mark inside: the three open priorities.
QIcon priorityDot(const QColor& colour, int bars) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.setPen(QPen(Qt::white, 1.5));
    for (int i = 0; i < bars; ++i) {
        const qreal x = 8 - (bars - 1) * 1.5 + i * 3;
        p.drawLine(QPointF(x, 5.5), QPointF(x, 10.5));
    }
    return QIcon(pixmap);
}

QIcon doneMark() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(3, 8.5);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 4);
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x3c), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return QIcon(pixmap);
}

QIcon clockFace(bool ringing) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor rim = ringing ? QColor(0xc0, 0x39, 0x2b) : QColor(0x80, 0x80, 0x80);
    if (ringing) {
        // Two bells on top.
        p.setPen(Qt::NoPen);
        p.setBrush(rim);
        p.drawEllipse(QRectF(1, 1, 5, 5));
        p.drawEllipse(QRectF(10, 1, 5, 5));
    }
    p.setPen(QPen(rim, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2.5, 3.5, 11, 11));
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 9), QPointF(8, 5.5));
    p.drawLine(QPointF(8, 9), QPointF(10.5, 10.5));
    return QIcon(pixmap);
}

// Two arrows chasing each other round a small circle, in the lower right corner.
QIcon withRepeatMark(const QIcon& icon) {
    QPixmap pixmap = icon.pixmap(kSize, kSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(7.5, 7.5, 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x5f, 0xa8));
    p.drawEllipse(disc);
    p.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring = disc.adjusted(2, 2, -2, -2);
    p.drawArc(ring, 30 * 16, 120 * 16);
    p.drawArc(ring, 210 * 16, 120 * 16);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(14.3, 9.8), QPointF(14.6, 12.4), QPointF(12.2, 11.6)}));
    p.drawPolygon(QPolygonF({QPointF(8.7, 13.2), QPointF(8.4, 10.6), QPointF(10.8, 11.4)}));
    return QIcon(pixmap);
}

} // namespace

namespace ListImages {

QList<QIcon> TaskPriorities() {
    return {priorityDot(QColor(0xd0, 0x30, 0x30), 3), priorityDot(QColor(0xe0, 0x90, 0x20), 2),
            priorityDot(QColor(0x30, 0x70, 0xc0), 1), doneMark()};
}

QList<QIcon> AppointmentAlarms() {
    const QIcon quiet = clockFace(false);
    const QIcon ringing = clockFace(true);
    return {quiet, ringing, withRepeatMark(quiet), withRepeatMark(ringing)};
}

} // namespace ListImages
