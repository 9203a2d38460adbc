#include "reports/DailyReport.h"

#include "reports/ReportText.h"

#include <algorithm>

DailyReport::DailyReport(platform::DrawSurface* dc, const DateTime& day, const QString& title)
    : Report(dc), m_day(day), m_title(title) {}

QString DailyReport::DateLine() const {
    return ReportText::LongDate(m_day);
}

void DailyReport::DrawTitle() {
    DrawCentredTitle(m_title);
    const QString date = DateLine();
    if (!date.isEmpty())
        DrawCentredLine(date, m_printRect.top + m_lineHeight, m_normalFont);
}

void DailyReport::DrawFooter(int pageNumber) {
    DrawCentredFooter(QStringLiteral("Page %1").arg(pageNumber));
}

void DailyReport::DrawFrame() {
    DrawStandardFrame();
}

bool DailyReport::FitsPage() {
    return 5 * m_lineHeight <= m_printRect.height() && ColumnsFit();
}

TableColumns::Layout DailyReport::PlaceTable(const DailyTable& table, const std::vector<int>& defaultX, int right) {
    std::vector<TableColumns::Spec> specs(defaultX.size());
    const platform::Font previous = SelectFont(m_boldFont);
    for (std::size_t i = 0; i < specs.size(); ++i) {
        specs[i].defaultX = defaultX[i];
        specs[i].flexible = static_cast<int>(i) == table.flexible;
        // A description keeps at least a few characters; a fixed column its head.
        specs[i].needed = specs[i].flexible ? 5 * m_charWidth : Width(table.heads.value(static_cast<qsizetype>(i)));
    }
    SelectFont(m_normalFont);
    for (std::size_t i = 0; i < specs.size(); ++i) {
        if (specs[i].flexible)
            continue;
        // Widths are remembered, so a time or date shared by many rows is measured once.
        for (const QStringList& row : table.rows)
            specs[i].needed = std::max(specs[i].needed, Width(row.at(static_cast<qsizetype>(i))));
    }
    SelectFont(previous);
    return TableColumns::Place(specs, right, Gap());
}

void DailyReport::DrawHeads(const DailyTable& table, const TableColumns::Layout& layout) {
    const platform::Font previous = SelectFont(m_boldFont);
    for (std::size_t i = 0; i < layout.columns.size(); ++i)
        TextOutWithin(layout.columns[i].x, m_cursorY, layout.columns[i].right,
                      table.heads.value(static_cast<qsizetype>(i)));
    SelectFont(previous);
}

void DailyReport::DrawRow(const QStringList& cells, const TableColumns::Layout& layout) {
    for (std::size_t i = 0; i < layout.columns.size(); ++i)
        TextOutWithin(layout.columns[i].x, m_cursorY, layout.columns[i].right, cells.value(static_cast<qsizetype>(i)));
}
