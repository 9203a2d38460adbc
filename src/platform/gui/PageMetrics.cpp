#include "platform/gui/PrinterMetrics.h"

#include <QPageLayout>

#include <cmath>

namespace platform {

DeviceMetrics pageMetrics(const QPageLayout& layout, int resolution) {
    const QRect paper = layout.fullRectPixels(resolution);
    const QRect page = layout.paintRectPixels(resolution);
    DeviceMetrics m;
    m.logPixelsX = resolution;
    m.logPixelsY = resolution;
    m.physicalWidth = paper.width();
    m.physicalHeight = paper.height();
    m.physicalOffsetX = page.left() - paper.left();
    m.physicalOffsetY = page.top() - paper.top();
    return m;
}

QTransform pageTransform(const DeviceMetrics& from, const DeviceMetrics& to) {
    if (from == to || from.logPixelsX <= 0 || from.logPixelsY <= 0)
        return QTransform();
    const double sx = double(to.logPixelsX) / from.logPixelsX;
    const double sy = double(to.logPixelsY) / from.logPixelsY;
    return QTransform(sx, 0, 0, sy, from.physicalOffsetX * sx - to.physicalOffsetX,
                      from.physicalOffsetY * sy - to.physicalOffsetY);
}

} // namespace platform
