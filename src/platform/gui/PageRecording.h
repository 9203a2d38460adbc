#pragma once

#include "platform/gui/DrawSurface.h"

#include <QPicture>

#include <functional>

class QPainter;
class QPaintDevice;
class QRectF;
class QSizeF;

namespace platform {

// One page kept as a recording of its drawing, laid out for a device with the given metrics, to be
// played back at any size (the print preview keeps one of these for the page it shows).
class PageRecording {
public:
    using DrawPage = std::function<void(DrawSurface&)>;

    PageRecording() = default;
    // Records what draw puts on the page. Text is measured against metricDevice, the printer the
    // page is laid out for.
    static PageRecording record(const DeviceMetrics& metrics, const QPaintDevice* metricDevice, const DrawPage& draw);

    bool isNull() const { return m_metrics.logPixelsX <= 0 || m_metrics.logPixelsY <= 0; }
    const DeviceMetrics& metrics() const { return m_metrics; }
    // The sheet in inches.
    QSizeF paperSize() const;
    // Plays the page into paper, the rectangle that stands for the whole sheet: device
    // coordinates are shifted by the unprintable edge so that they land where they lie on paper.
    void play(QPainter& painter, const QRectF& paper) const;

private:
    QPicture m_picture;
    DeviceMetrics m_metrics;
};

} // namespace platform
