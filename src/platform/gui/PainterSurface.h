#pragma once

#include "platform/gui/DrawSurface.h"

#include <QFont>
#include <QFontMetrics>

#include <vector>

class QPainter;
class QPaintDevice;

namespace platform {

// Draws with a QPainter on a printer page, a page recording or an image, as a device with the
// given metrics. Text is measured against metricDevice (the printer a recording stands for, so that
// a page measures the same while it is laid out and while it is drawn); without one, against the
// painter's device. Without a painter the surface only measures: layout before any page is drawn.
class PainterSurface : public DrawSurface {
public:
    PainterSurface(QPainter* painter, const DeviceMetrics& metrics, const QPaintDevice* metricDevice = nullptr);
    ~PainterSurface() override;
    PainterSurface(const PainterSurface&) = delete;
    PainterSurface& operator=(const PainterSurface&) = delete;

    int deviceCaps(DeviceCap cap) const override { return m_metrics.value(cap); }
    const DeviceMetrics& metrics() const { return m_metrics; }

    Font selectFont(const Font& font) override;
    Pen selectPen(const Pen& pen) override;
    TextMetrics textMetrics() const override;
    QSize textExtent(const QString& text) const override;
    void textOut(int x, int y, const QString& text) override;
    void textOutClipped(int x, int y, const Rect& clip, const QString& text) override;
    int drawTextWrapped(const Rect& rect, const QString& text) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    BackgroundMode setBackgroundMode(BackgroundMode mode) override;
    QColor setBackgroundColor(const QColor& color) override;
    void save() override;
    bool restore() override;

private:
    void applyFont();
    void prepareText();
    void fillBackground(const QRect& cells);

    QPainter* m_painter;
    DeviceMetrics m_metrics;
    const QPaintDevice* m_metricDevice;
    SurfaceState m_state;
    std::vector<SurfaceState> m_saved;
    QFont m_font;
    QFontMetrics m_fontMetrics;
};

} // namespace platform
