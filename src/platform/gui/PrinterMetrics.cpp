#include "platform/gui/PrinterMetrics.h"

#include <QPrinter>

#include <cmath>

namespace platform {

DeviceMetrics printerMetrics(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    DeviceMetrics m;
    m.logPixelsX = printer.resolution();
    m.logPixelsY = printer.resolution();
    m.physicalWidth = static_cast<int>(std::lround(paper.width()));
    m.physicalHeight = static_cast<int>(std::lround(paper.height()));
    m.physicalOffsetX = static_cast<int>(std::lround(page.left() - paper.left()));
    m.physicalOffsetY = static_cast<int>(std::lround(page.top() - paper.top()));
    return m;
}

} // namespace platform
