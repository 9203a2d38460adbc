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

Report::Report(platform::DrawSurface* layout) : m_layout(*layout) {
    CreateFonts(-mulDiv(m_pointSize, m_layout.deviceCaps(DeviceCap::LogPixelsY), 72));
    ReadMetrics();
}

Report::~Report() = default;

Report::FontScope::FontScope(Report& report, platform::DrawSurface& dc, const platform::Font& font)
    : m_report(report), m_dc(dc), m_previous(dc.selectFont(font)), m_previousMeasured(report.m_widths.UseFont(font)) {}

Report::FontScope::~FontScope() {
    m_report.m_widths.UseFont(m_previousMeasured);
    m_dc.selectFont(m_previous);
}

void Report::FontScope::Use(const platform::Font& font) {
    m_report.m_widths.UseFont(font);
    m_dc.selectFont(font);
}

void Report::CreateFonts(int height) {
    m_boldFont = {m_faceName, height, 700};
    m_normalFont = {m_faceName, height, 400};
}

void Report::ReadMetrics() {
    FontScope normal(*this, m_layout, m_normalFont);
    m_metrics = m_layout.textMetrics();
    m_lineHeight = m_metrics.height + m_metrics.externalLeading;
    m_charWidth = m_metrics.averageCharWidth;
}

void Report::PlaceColumns() {
    // The left column is a character in from the print rectangle, the right one half its width on.
    m_col1X = m_printRect.left + m_charWidth;
    m_col2X = m_col1X + m_printRect.width() / 2;
}

void Report::Repaginate() {
    m_pageCount = Paginate();
}

void Report::SetMargins(const PageMargins& margins) {
    const double left = margins.left / 1000.0;
    const double top = margins.top / 1000.0;
    const double right = margins.right / 1000.0;
    const double bottom = margins.bottom / 1000.0;
    const int logX = m_layout.deviceCaps(DeviceCap::LogPixelsX);
    const int logY = m_layout.deviceCaps(DeviceCap::LogPixelsY);
    const int offsetX = m_layout.deviceCaps(DeviceCap::PhysicalOffsetX);
    const int offsetY = m_layout.deviceCaps(DeviceCap::PhysicalOffsetY);
    m_printRect.left = static_cast<int>(logX * left - offsetX);
    m_printRect.top = static_cast<int>(logY * top - offsetY);
    m_printRect.right = static_cast<int>(m_layout.deviceCaps(DeviceCap::PhysicalWidth) - logX * right - offsetX);
    m_printRect.bottom = static_cast<int>(m_layout.deviceCaps(DeviceCap::PhysicalHeight) - logY * bottom - offsetY);

    PlaceColumns();
    m_typeFitted = false;
    Repaginate();
}

void Report::SetFaceName(const QString& faceName) {
    m_faceName = faceName;
    m_typeFitted = false;
    CreateFonts(-(m_pointSize * m_layout.deviceCaps(DeviceCap::LogPixelsY) / 72));
    ReadMetrics();
    PlaceColumns();
    Repaginate();
}

void Report::SetPointSize(int pointSize) {
    m_typeFitted = false;
    ApplyPointSize(pointSize);
}

void Report::ApplyPointSize(int pointSize) {
    m_pointSize = pointSize;
    CreateFonts(-(m_pointSize * m_layout.deviceCaps(DeviceCap::LogPixelsY) / 72));
    ReadMetrics();
    PlaceColumns();
    Repaginate();
}

void Report::FitTypeToPaper() {
    if (m_typeFitted)
        return;
    m_typeFitted = true;
    const int logX = m_layout.deviceCaps(DeviceCap::LogPixelsX);
    if (UsesSmallTypeOnNarrowPaper() && logX > 0 && m_layout.deviceCaps(DeviceCap::PhysicalWidth) / logX <= 6)
        ApplyPointSize(8);
    while (m_pointSize > SmallestPointSize && !FitsPage())
        ApplyPointSize(m_pointSize - 1);
}

void Report::TextOutWithin(platform::DrawSurface& dc, int x, int y, int right, const QString& text) {
    dc.textOut(x, y, Elided(dc, text, right - x));
}

int Report::TextLinesWithin(platform::DrawSurface& dc, int x, int y, int right, int lh, int maxLines,
                            const QStringList& lines) {
    const int count = std::min<int>(maxLines, static_cast<int>(lines.size()));
    for (int i = 0; i < count; ++i) {
        const bool cut = i == count - 1 && count < lines.size();
        // A cut text shows its ellipsis even where its last shown line is short.
        TextOutWithin(dc, x, y + i * lh, right, cut ? lines.at(i) + QStringLiteral("\u2026") : lines.at(i));
    }
    return count;
}

void Report::PrintPage(platform::DrawSurface* surface, int page) {
    FitTypeToPaper();
    platform::DrawSurface& dc = *surface;
    FontScope normal(*this, dc, m_normalFont);
    DrawTitle(dc, page);
    DrawFooter(dc, page + 1);
    DrawFrame(dc);
    DrawBody(dc, page);
}

void Report::DrawFooter(platform::DrawSurface&, int) {}

void Report::DrawFrame(platform::DrawSurface&) {}

void Report::DrawCentredTitle(platform::DrawSurface& dc, const QString& title) {
    DrawCentredLine(dc, title, m_printRect.top, m_boldFont);
}

void Report::DrawCentredFooter(platform::DrawSurface& dc, const QString& footer) {
    DrawCentredLine(dc, footer, FooterTop(), m_boldFont);
}

void Report::DrawCentredLine(platform::DrawSurface& dc, const QString& text, int y, const platform::Font& font) {
    FontScope scope(*this, dc, font);
    const QString shown = Elided(dc, text, m_printRect.width());
    const int width = Width(dc, shown);
    dc.textOut(m_printRect.left + (m_printRect.width() - width) / 2, y, shown);
}

void Report::DrawStandardFrame(platform::DrawSurface& dc) {
    const platform::Rect& r = m_printRect;
    const int inch = dc.deviceCaps(DeviceCap::LogPixelsX);
    dc.moveTo(r.left, r.top);
    dc.lineTo(r.left, r.bottom);
    dc.moveTo(r.right, r.top);
    dc.lineTo(r.right, r.bottom);
    dc.moveTo(r.left, r.top);
    dc.lineTo(r.left + inch, r.top);
    dc.moveTo(r.right, r.top);
    dc.lineTo(r.right - inch, r.top);
    dc.moveTo(r.left, r.bottom);
    dc.lineTo(r.left + inch, r.bottom);
    dc.moveTo(r.right, r.bottom);
    dc.lineTo(r.right - inch, r.bottom);
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
