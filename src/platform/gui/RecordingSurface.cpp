#include "platform/gui/RecordingSurface.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

RecordingSurface::RecordingSurface(const DeviceMetrics& metrics) : m_metrics(metrics) {}

DeviceMetrics RecordingSurface::letterAt600Dpi() {
    DeviceMetrics m;
    m.logPixelsX = 600;
    m.logPixelsY = 600;
    m.physicalWidth = 5100;
    m.physicalHeight = 6600;
    m.physicalOffsetX = 150;
    m.physicalOffsetY = 150;
    return m;
}

TextMetrics RecordingSurface::metricsOf(const Font& font) {
    const int h = std::abs(font.height);
    const int width = h / 2 + (font.weight >= 700 ? h / 10 : 0);
    return {h + h / 4, h / 10, width};
}

Font RecordingSurface::selectFont(const Font& font) {
    Font previous = m_state.font;
    m_state.font = font;
    return previous;
}

Pen RecordingSurface::selectPen(const Pen& pen) {
    Pen previous = m_state.pen;
    m_state.pen = pen;
    return previous;
}

QSize RecordingSurface::textExtent(const QString& text) const {
    const TextMetrics m = textMetrics();
    return QSize(static_cast<int>(text.size()) * m.averageCharWidth, m.height);
}

void RecordingSurface::textOut(int x, int y, const QString& text) {
    TextCall call;
    call.x = x;
    call.y = y;
    call.text = text;
    call.font = m_state.font;
    call.backgroundMode = m_state.backgroundMode;
    call.backgroundColor = m_state.backgroundColor;
    m_texts.push_back(call);
}

void RecordingSurface::textOutClipped(int x, int y, const Rect& clip, const QString& text) {
    textOut(x, y, text);
    m_texts.back().kind = TextKind::Clipped;
    m_texts.back().rect = clip;
}

QStringList RecordingSurface::wrap(const QString& text, int width) const {
    const int charWidth = std::max(1, textMetrics().averageCharWidth);
    const int perLine = std::max(1, width / charWidth);
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (candidate.size() <= perLine || line.isEmpty()) {
                line = candidate;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
    }
    return lines;
}

int RecordingSurface::drawTextWrapped(const Rect& rect, const QString& text) {
    textOut(rect.left, rect.top, text);
    TextCall& call = m_texts.back();
    call.kind = TextKind::Wrapped;
    call.rect = rect;
    call.wrappedLines = wrap(text, rect.width());
    const TextMetrics m = textMetrics();
    const int count = static_cast<int>(call.wrappedLines.size());
    return count * m.height + (count - 1) * m.externalLeading;
}

void RecordingSurface::moveTo(int x, int y) {
    m_state.x = x;
    m_state.y = y;
}

void RecordingSurface::lineTo(int x, int y) {
    m_lines.push_back({m_state.x, m_state.y, x, y, m_state.pen});
    m_state.x = x;
    m_state.y = y;
}

BackgroundMode RecordingSurface::setBackgroundMode(BackgroundMode mode) {
    const BackgroundMode previous = m_state.backgroundMode;
    m_state.backgroundMode = mode;
    return previous;
}

QColor RecordingSurface::setBackgroundColor(const QColor& color) {
    const QColor previous = m_state.backgroundColor;
    m_state.backgroundColor = color;
    return previous;
}

void RecordingSurface::save() {
    m_saved.push_back(m_state);
}

bool RecordingSurface::restore() {
    if (m_saved.empty())
        return false;
    m_state = m_saved.back();
    m_saved.pop_back();
    return true;
}

const RecordingSurface::TextCall* RecordingSurface::findText(const QString& text) const {
    auto it = std::find_if(m_texts.begin(), m_texts.end(), [&](const TextCall& call) { return call.text == text; });
    return it == m_texts.end() ? nullptr : &*it;
}

void RecordingSurface::clear() {
    m_texts.clear();
    m_lines.clear();
}

} // namespace platform
