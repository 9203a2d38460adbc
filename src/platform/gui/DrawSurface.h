#pragma once

#include <QColor>
#include <QSize>
#include <QString>

namespace platform {

// The device figures page layout is computed from, all in device pixels.
enum class DeviceCap {
    LogPixelsX,      // pixels per inch across
    LogPixelsY,      // pixels per inch down
    PhysicalWidth,   // the whole paper
    PhysicalHeight,  //
    PhysicalOffsetX, // the unprintable edge left of the origin
    PhysicalOffsetY, // the unprintable edge above the origin
};

struct DeviceMetrics {
    int logPixelsX = 0;
    int logPixelsY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;

    int value(DeviceCap cap) const;
    bool operator==(const DeviceMetrics&) const = default;
};

// A rectangle by its four edges; right and bottom lie just outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A font by face, height and weight. A negative height asks for that character height (the em,
// without internal leading), in device units.
struct Font {
    QString face;
    int height = 0;
    int weight = 400; // 400 normal, 700 bold

    bool operator==(const Font&) const = default;
};

// A solid pen; width 1 or less is the device's thinnest line.
struct Pen {
    int width = 1;
    QColor color = Qt::black;

    bool operator==(const Pen&) const = default;
};

struct TextMetrics {
    int height = 0; // ascent + descent
    int externalLeading = 0;
    int averageCharWidth = 0;

    bool operator==(const TextMetrics&) const = default;
};

enum class BackgroundMode { Transparent, Opaque };

// What save() and restore() bracket.
struct SurfaceState {
    Font font;
    Pen pen;
    BackgroundMode backgroundMode = BackgroundMode::Transparent;
    QColor backgroundColor = Qt::white;
    int x = 0;
    int y = 0;
};

// The surface reports draw their pages on: a printer page, a page recording or an image, or a
// recording of the calls in tests. Units are device pixels; the origin is the printable corner
// of the paper. A fresh surface draws text on a transparent background: the paper is white
// already, and an opaque fill beside a one-pixel line hides the line once the page is scaled for
// the screen or a printer of another resolution. Shaded text sets Opaque and its colour.
class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    virtual int deviceCaps(DeviceCap cap) const = 0;

    // Make a font or pen current; the previous one is returned so that the caller can put it back.
    virtual Font selectFont(const Font& font) = 0;
    virtual Pen selectPen(const Pen& pen) = 0;

    // Of the current font.
    virtual TextMetrics textMetrics() const = 0;
    virtual QSize textExtent(const QString& text) const = 0;

    // Text with its top-left corner at (x, y).
    virtual void textOut(int x, int y, const QString& text) = 0;
    // Text with its top-left corner at (x, y), cut at the edges of clip.
    virtual void textOutClipped(int x, int y, const Rect& clip, const QString& text) = 0;
    // Text broken into lines at word boundaries inside rect, with the font's external leading
    // between lines, cut at the rectangle's edges. Returns the height of the text drawn.
    virtual int drawTextWrapped(const Rect& rect, const QString& text) = 0;

    // A straight line from the current position with the current pen, which then moves there.
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;

    // Both return the previous value.
    virtual BackgroundMode setBackgroundMode(BackgroundMode mode) = 0;
    virtual QColor setBackgroundColor(const QColor& color) = 0;

    // Brackets a page: restore() puts back the font, pen, background and position that the last
    // save() found; without a save() to match it returns false and changes nothing.
    virtual void save() = 0;
    virtual bool restore() = 0;
};

} // namespace platform
