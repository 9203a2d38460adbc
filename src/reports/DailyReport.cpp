#include "reports/DailyReport.h"

#include "reports/ReportText.h"

#include <algorithm>

DailyReport::DailyReport(platform::DrawSurface* layout, const DateTime& day, const QString& title)
    : Report(layout), m_day(day), m_title(title) {}

QString DailyReport::DateLine() const {
    return ReportText::LongDate(m_day);
}

void DailyReport::DrawTitle(platform::DrawSurface& dc, int) {
    DrawCentredTitle(dc, m_title);
    const QString date = DateLine();
    if (!date.isEmpty())
        DrawCentredLine(dc, date, GetPrintRect().top + LineHeight(), NormalFont());
}

void DailyReport::DrawFooter(platform::DrawSurface& dc, int pageNumber) {
    DrawCentredFooter(dc, QStringLiteral("Page %1").arg(pageNumber));
}

void DailyReport::DrawFrame(platform::DrawSurface& dc) {
    DrawStandardFrame(dc);
}

bool DailyReport::FitsPage() {
    return 5 * LineHeight() <= GetPrintRect().height() && ColumnsFit();
}

TableColumns::Layout DailyReport::PlaceTable(const DailyTable& table, const std::vector<int>& defaultX, int right) {
    platform::DrawSurface& dc = LayoutSurface();
    std::vector<TableColumns::Demand> demands(defaultX.size());
    FontScope font(*this, dc, BoldFont());
    for (std::size_t i = 0; i < demands.size(); ++i) {
        demands[i].defaultX = defaultX[i];
        demands[i].flexible = static_cast<int>(i) == table.flexible;
        // A description keeps at least a few characters; a fixed column its head.
        demands[i].needed =
            demands[i].flexible ? 5 * CharWidth() : Width(dc, table.heads.value(static_cast<qsizetype>(i)));
    }
    font.Use(NormalFont());
    for (std::size_t i = 0; i < demands.size(); ++i) {
        if (demands[i].flexible)
            continue;
        if (i < table.DistinctTexts().size())
            for (const QString& text : table.DistinctTexts()[i])
                demands[i].needed = std::max(demands[i].needed, Width(dc, text));
    }
    return TableColumns::Place(demands, right, Gap());
}

void DailyReport::DrawHeads(platform::DrawSurface& dc, const DailyTable& table, const TableColumns::Layout& layout) {
    FontScope bold(*this, dc, BoldFont());
    for (std::size_t i = 0; i < layout.columns.size(); ++i)
        TextOutWithin(dc, layout.columns[i].x, BodyTop(), layout.columns[i].right,
                      table.heads.value(static_cast<qsizetype>(i)));
}

void DailyReport::DrawRows(platform::DrawSurface& dc, const DailyTable& table, const TableColumns::Layout& layout,
                           const Pages& pages, int page) {
    if (page < 0 || page >= static_cast<int>(pages.size()))
        return;
    int y = BodyTop();
    for (int index : pages[static_cast<std::size_t>(page)]) {
        y += LineHeight();
        const QStringList& cells = table.rows[static_cast<std::size_t>(index)];
        for (std::size_t i = 0; i < layout.columns.size(); ++i)
            TextOutWithin(dc, layout.columns[i].x, y, layout.columns[i].right, cells.value(static_cast<qsizetype>(i)));
    }
}
