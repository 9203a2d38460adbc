#include "platform/gui/PainterSurface.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <cstdlib>

namespace platform {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

QPen toQPen(const Pen& pen) {
    // Width 0 is Qt's cosmetic pen: one device pixel however the page is scaled.
    QPen result(pen.color, pen.width <= 1 ? 0 : pen.width);
    result.setCapStyle(Qt::RoundCap);
    result.setJoinStyle(Qt::RoundJoin);
    return result;
}

} // namespace

PainterSurface::PainterSurface(QPainter* painter, const DeviceMetrics& metrics, const QPaintDevice* metricDevice)
    : m_painter(painter), m_metrics(metrics),
      m_metricDevice(metricDevice ? metricDevice : (painter ? painter->device() : nullptr)), m_fontMetrics(QFont()) {
    applyFont();
}

PainterSurface::~PainterSurface() = default;

void PainterSurface::applyFont() {
    const Font& font = m_state.font;
    QFont qfont(font.face.isEmpty() ? QFont().family() : font.face);
    qfont.setStyleStrategy(QFont::PreferOutline);
    qfont.setWeight(static_cast<QFont::Weight>(font.weight));
    int pixels = std::abs(font.height);
    if (pixels == 0) {
        pixels = m_metrics.logPixelsY * 12 / 72; // the device's ordinary text size
    } else if (font.height > 0) {
        // A positive height is the whole cell; find the em that fills it.
        qfont.setPixelSize(1000);
        const QFontMetrics reference(qfont);
        if (reference.height() > 0)
            pixels = font.height * 1000 / reference.height();
    }
    qfont.setPixelSize(pixels > 0 ? pixels : 1);
    m_font = qfont;
    m_fontMetrics = m_metricDevice ? QFontMetrics(m_font, m_metricDevice) : QFontMetrics(m_font);
}

Font PainterSurface::selectFont(const Font& font) {
    Font previous = m_state.font;
    m_state.font = font;
    applyFont();
    return previous;
}

Pen PainterSurface::selectPen(const Pen& pen) {
    Pen previous = m_state.pen;
    m_state.pen = pen;
    return previous;
}

TextMetrics PainterSurface::textMetrics() const {
    return {m_fontMetrics.height(), m_fontMetrics.leading(), m_fontMetrics.averageCharWidth()};
}

QSize PainterSurface::textExtent(const QString& text) const {
    return QSize(m_fontMetrics.horizontalAdvance(text), m_fontMetrics.height());
}

void PainterSurface::prepareText() {
    m_painter->setFont(m_font);
    m_painter->setPen(QPen(Qt::black));
    // An opaque background is filled by fillBackground(), exactly over the text's cells, so that it
    // never reaches a line drawn beside the text.
    m_painter->setBackgroundMode(Qt::TransparentMode);
}

void PainterSurface::fillBackground(const QRect& cells) {
    if (m_state.backgroundMode == BackgroundMode::Opaque && !cells.isEmpty())
        m_painter->fillRect(cells, m_state.backgroundColor);
}

void PainterSurface::textOut(int x, int y, const QString& text) {
    if (!m_painter || text.isEmpty())
        return;
    prepareText();
    fillBackground(QRect(x, y, m_fontMetrics.horizontalAdvance(text), m_fontMetrics.height()));
    m_painter->drawText(QPoint(x, y + m_fontMetrics.ascent()), text);
}

void PainterSurface::textOutClipped(int x, int y, const Rect& clip, const QString& text) {
    if (!m_painter || text.isEmpty() || clip.width() <= 0 || clip.height() <= 0)
        return;
    m_painter->save();
    m_painter->setClipRect(toQRect(clip), Qt::IntersectClip);
    textOut(x, y, text);
    m_painter->restore();
}

int PainterSurface::drawTextWrapped(const Rect& rect, const QString& text) {
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    if (!m_painter) {
        const QRect bounds = m_fontMetrics.boundingRect(toQRect(rect), flags, text);
        return bounds.height();
    }
    QRect bounds;
    m_painter->save();
    prepareText();
    m_painter->setClipRect(toQRect(rect), Qt::IntersectClip);
    fillBackground(m_fontMetrics.boundingRect(toQRect(rect), flags, text));
    m_painter->drawText(toQRect(rect), flags, text, &bounds);
    m_painter->restore();
    return bounds.height();
}

void PainterSurface::moveTo(int x, int y) {
    m_state.x = x;
    m_state.y = y;
}

void PainterSurface::lineTo(int x, int y) {
    if (m_painter) {
        m_painter->setPen(toQPen(m_state.pen));
        // A line through device pixel x covers [x, x + 1), as a filled rectangle's edge does; drawn
        // on the pixel's centre, so that a text background ending at x never hides the line.
        m_painter->drawLine(QPointF(m_state.x + 0.5, m_state.y + 0.5), QPointF(x + 0.5, y + 0.5));
    }
    m_state.x = x;
    m_state.y = y;
}

BackgroundMode PainterSurface::setBackgroundMode(BackgroundMode mode) {
    const BackgroundMode previous = m_state.backgroundMode;
    m_state.backgroundMode = mode;
    return previous;
}

QColor PainterSurface::setBackgroundColor(const QColor& color) {
    const QColor previous = m_state.backgroundColor;
    m_state.backgroundColor = color;
    return previous;
}

void PainterSurface::save() {
    m_saved.push_back(m_state);
    if (m_painter)
        m_painter->save();
}

bool PainterSurface::restore() {
    if (m_saved.empty())
        return false;
    m_state = m_saved.back();
    m_saved.pop_back();
    applyFont();
    if (m_painter)
        m_painter->restore();
    return true;
}

} // namespace platform
