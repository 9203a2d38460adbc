#include "reports/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using platform::DeviceCap;

namespace {

// a x b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    return static_cast<int>(std::lround(static_cast<double>(std::int64_t(a) * b) / c));
}

} // namespace

Report::Report(platform::DrawSurface* dc) : m_dc(dc), m_layoutSurface(dc) {
    CreateFonts(-mulDiv(m_pointSize, m_dc->deviceCaps(DeviceCap::LogPixelsY), 72));
    ReadMetrics();
}

Report::~Report() = default;

void Report::CreateFonts(int height) {
    m_boldFont = {m_faceName, height, 700};
    m_normalFont = {m_faceName, height, 400};
}

void Report::ReadMetrics() {
    const platform::Font previous = m_dc->selectFont(m_normalFont);
    m_metrics = m_dc->textMetrics();
    m_lineHeight = m_metrics.height + m_metrics.externalLeading;
    m_charWidth = m_metrics.averageCharWidth;
    m_dc->selectFont(previous);
}

void Report::SetMargins(const PageMargins& margins) {
    m_margins.left = margins.left / 1000.0;
    m_margins.top = margins.top / 1000.0;
    m_margins.right = margins.right / 1000.0;
    m_margins.bottom = margins.bottom / 1000.0;

    const int logX = m_dc->deviceCaps(DeviceCap::LogPixelsX);
    const int logY = m_dc->deviceCaps(DeviceCap::LogPixelsY);
    const int offsetX = m_dc->deviceCaps(DeviceCap::PhysicalOffsetX);
    const int offsetY = m_dc->deviceCaps(DeviceCap::PhysicalOffsetY);
    m_printRect.left = static_cast<int>(logX * m_margins.left - offsetX);
    m_printRect.top = static_cast<int>(logY * m_margins.top - offsetY);
    m_printRect.right = static_cast<int>(m_dc->deviceCaps(DeviceCap::PhysicalWidth) - logX * m_margins.right - offsetX);
    m_printRect.bottom =
        static_cast<int>(m_dc->deviceCaps(DeviceCap::PhysicalHeight) - logY * m_margins.bottom - offsetY);

    m_col1X = m_printRect.left + m_charWidth;
    m_col2X = m_col1X + m_printRect.width() / 2;
    m_typeFitted = false;
    Paginate();
}

void Report::SetFaceName(const QString& faceName) {
    m_faceName = faceName;
    m_typeFitted = false;
    CreateFonts(-(m_pointSize * m_dc->deviceCaps(DeviceCap::LogPixelsY) / 72));
    ReadMetrics();
    Paginate();
}

void Report::SetPointSize(int pointSize) {
    m_typeFitted = false;
    ApplyPointSize(pointSize);
}

void Report::ApplyPointSize(int pointSize) {
    m_pointSize = pointSize;
    CreateFonts(-(m_pointSize * m_dc->deviceCaps(DeviceCap::LogPixelsY) / 72));
    ReadMetrics();
    // The column positions follow the character width.
    m_col1X = m_printRect.left + m_charWidth;
    m_col2X = m_col1X + m_printRect.width() / 2;
    Paginate();
}

void Report::FitTypeToPaper() {
    if (m_typeFitted)
        return;
    m_typeFitted = true;
    const int logX = m_dc->deviceCaps(DeviceCap::LogPixelsX);
    if (UsesSmallTypeOnNarrowPaper() && logX > 0 && m_dc->deviceCaps(DeviceCap::PhysicalWidth) / logX <= 6)
        ApplyPointSize(8);
    while (m_pointSize > SmallestPointSize && !FitsPage())
        ApplyPointSize(m_pointSize - 1);
}

void Report::TextOut(int x, int y, const QString& text) {
    m_dc->textOut(x, y, text);
}

platform::Font Report::SelectFont(const platform::Font& font) {
    m_widths.UseFont(font);
    return m_dc->selectFont(font);
}

void Report::TextOutWithin(int x, int y, int right, const QString& text) {
    m_dc->textOut(x, y, Elided(text, right - x));
}

int Report::TextLinesWithin(int x, int y, int right, int lh, int maxLines, const QStringList& lines) {
    const int count = std::min<int>(maxLines, static_cast<int>(lines.size()));
    for (int i = 0; i < count; ++i) {
        const bool cut = i == count - 1 && count < lines.size();
        // A cut text shows its ellipsis even where its last shown line is short.
        TextOutWithin(x, y + i * lh, right, cut ? lines.at(i) + QStringLiteral("\u2026") : lines.at(i));
    }
    return count;
}

QSize Report::TextExtent(const QString& text) const {
    return m_dc->textExtent(text);
}

void Report::PrintPage(platform::DrawSurface* surface, int page) {
    m_dc = surface;
    FitTypeToPaper();
    const platform::Font previous = SelectFont(m_normalFont);
    m_metrics = m_dc->textMetrics();
    m_lineHeight = m_metrics.height + m_metrics.externalLeading;
    m_charWidth = m_metrics.averageCharWidth;
    DrawPageDecoration(page);
    m_cursorY = m_printRect.top + 2 * m_lineHeight;
    DrawBody(page);
    SelectFont(previous);
    // The page surface stays the caller's; measuring goes back to the surface the report was built on.
    m_dc = m_layoutSurface;
}

void Report::DrawPageDecoration(int page) {
    DrawTitle();
    DrawFooter(page + 1);
    DrawFrame();
}

void Report::DrawCentredTitle(const QString& title) {
    DrawCentredLine(title, m_printRect.top, m_boldFont);
}

void Report::DrawCentredFooter(const QString& footer) {
    DrawCentredLine(footer, m_printRect.bottom - m_lineHeight, m_boldFont);
}

void Report::DrawCentredLine(const QString& text, int y, const platform::Font& font) {
    const platform::Font previous = SelectFont(font);
    const QString shown = Elided(text, m_printRect.width());
    const int width = Width(shown);
    m_dc->textOut(m_printRect.left + (m_printRect.width() - width) / 2, y, shown);
    SelectFont(previous);
}

void Report::DrawStandardFrame() {
    const platform::Rect& r = m_printRect;
    const int inch = m_dc->deviceCaps(DeviceCap::LogPixelsX);
    m_dc->moveTo(r.left, r.top);
    m_dc->lineTo(r.left, r.bottom);
    m_dc->moveTo(r.right, r.top);
    m_dc->lineTo(r.right, r.bottom);
    m_dc->moveTo(r.left, r.top);
    m_dc->lineTo(r.left + inch, r.top);
    m_dc->moveTo(r.right, r.top);
    m_dc->lineTo(r.right - inch, r.top);
    m_dc->moveTo(r.left, r.bottom);
    m_dc->lineTo(r.left + inch, r.bottom);
    m_dc->moveTo(r.right, r.bottom);
    m_dc->lineTo(r.right - inch, r.bottom);
}

Report::Pages Report::SplitIntoPages(int itemCount, int itemHeight, int firstTop, int limit) {
    Pages pages;
    int y = firstTop;
    for (int item = 0; item < itemCount; ++item) {
        if (pages.empty() || (y + itemHeight > limit && !pages.back().empty())) {
            pages.emplace_back();
            y = firstTop;
        }
        pages.back().push_back(item);
        y += itemHeight;
    }
    return pages;
}

Report::Pages Report::SplitRowsIntoPages(int rowCount) const {
    return SplitIntoPages(rowCount, m_lineHeight, m_printRect.top + 3 * m_lineHeight, FooterTop());
}
