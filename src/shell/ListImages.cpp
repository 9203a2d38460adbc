#include "ListImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

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

} // namespace

namespace ListImages {

QList<QIcon> TaskPriorities() {
    return {priorityDot(QColor(0xd0, 0x30, 0x30), 3), priorityDot(QColor(0xe0, 0x90, 0x20), 2),
            priorityDot(QColor(0x30, 0x70, 0xc0), 1), doneMark()};
}

QList<QIcon> AppointmentAlarms() {
    return {clockFace(false), clockFace(true)};
}

} // namespace ListImages
