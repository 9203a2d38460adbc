#pragma once

#include "platform/gui/DrawSurface.h"

#include <QStringList>

#include <vector>

namespace platform {

// A surface that draws nothing and keeps every text and line it is given, for tests that check
// where a page puts things. Its font metrics are simple enough to compute by hand: for a font
// whose character height is h device units, height = h + h / 4, external leading = h / 10,
// average character width = h / 2 (bold: h / 2 + h / 10), and a text is as wide as its length
// times the average character width.
class RecordingSurface : public DrawSurface {
public:
    enum class TextKind { Point, Clipped, Wrapped };
    struct TextCall {
        TextKind kind = TextKind::Point;
        int x = 0;
        int y = 0;
        Rect rect; // the clip or wrap rectangle
        QString text;
        QStringList wrappedLines; // the lines a wrapped text was broken into
        Font font;
        BackgroundMode backgroundMode = BackgroundMode::Transparent;
        QColor backgroundColor;
    };
    struct LineCall {
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        Pen pen;
        bool operator==(const LineCall&) const = default;
    };

    explicit RecordingSurface(const DeviceMetrics& metrics = letterAt600Dpi());

    // US Letter (8.5 x 11 inches) at 600 pixels per inch with a quarter-inch unprintable edge.
    static DeviceMetrics letterAt600Dpi();

    int deviceCaps(DeviceCap cap) const override { return m_metrics.value(cap); }
    void setMetrics(const DeviceMetrics& metrics) { m_metrics = metrics; }

    Font selectFont(const Font& font) override;
    Pen selectPen(const Pen& pen) override;
    TextMetrics textMetrics() const override { return metricsOf(m_state.font); }
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

    static TextMetrics metricsOf(const Font& font);

    const std::vector<TextCall>& texts() const { return m_texts; }
    const std::vector<LineCall>& lines() const { return m_lines; }
    // The first text call with exactly this text, or null.
    const TextCall* findText(const QString& text) const;
    const Font& currentFont() const { return m_state.font; }
    const Pen& currentPen() const { return m_state.pen; }
    int saveDepth() const { return static_cast<int>(m_saved.size()); }
    void clear();

private:
    QStringList wrap(const QString& text, int width) const;

    DeviceMetrics m_metrics;
    SurfaceState m_state;
    std::vector<SurfaceState> m_saved;
    std::vector<TextCall> m_texts;
    std::vector<LineCall> m_lines;
};

} // namespace platform
