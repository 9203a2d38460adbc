#include "platform/gui/PageRecording.h"

#include "platform/gui/PainterSurface.h"

#include <QPainter>
#include <QRectF>
#include <QSizeF>

namespace platform {

PageRecording PageRecording::record(const DeviceMetrics& metrics, const QPaintDevice* metricDevice,
                                    const DrawPage& draw) {
    PageRecording recording;
    recording.m_metrics = metrics;
    QPainter painter(&recording.m_picture);
    PainterSurface surface(&painter, metrics, metricDevice);
    draw(surface);
    painter.end();
    return recording;
}

QSizeF PageRecording::paperSize() const {
    if (isNull())
        return QSizeF();
    return QSizeF(double(m_metrics.physicalWidth) / m_metrics.logPixelsX,
                  double(m_metrics.physicalHeight) / m_metrics.logPixelsY);
}

void PageRecording::play(QPainter& painter, const QRectF& paper) const {
    if (isNull() || m_metrics.physicalWidth <= 0 || m_metrics.physicalHeight <= 0 || paper.isEmpty())
        return;
    painter.save();
    painter.setClipRect(paper, Qt::IntersectClip);
    painter.translate(paper.topLeft());
    painter.scale(paper.width() / m_metrics.physicalWidth, paper.height() / m_metrics.physicalHeight);
    painter.translate(m_metrics.physicalOffsetX, m_metrics.physicalOffsetY);
    painter.drawPicture(0, 0, m_picture);
    painter.restore();
}

} // namespace platform
