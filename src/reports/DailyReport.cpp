#include "reports/DailyReport.h"

#include "reports/ReportText.h"

#include <QSet>

#include <algorithm>

const std::vector<QStringList>& DailyTable::DistinctTexts() const {
    if (m_distinct.empty() && !rows.empty()) {
        m_distinct.resize(static_cast<std::size_t>(heads.size()));
        std::vector<QSet<QString>> seen(m_distinct.size());
        for (const QStringList& row : rows)
            for (std::size_t i = 0; i < m_distinct.size(); ++i) {
                if (static_cast<int>(i) == flexible)
                    continue; // descriptions are shortened, not measured for the column
                const QString& cell = row.at(static_cast<qsizetype>(i));
                if (!seen[i].contains(cell)) {
                    seen[i].insert(cell);
                    m_distinct[i].append(cell);
                }
            }
    }
    return m_distinct;
}

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
    std::vector<TableColumns::Demand> demands(defaultX.size());
    const platform::Font previous = SelectFont(m_boldFont);
    for (std::size_t i = 0; i < demands.size(); ++i) {
        demands[i].defaultX = defaultX[i];
        demands[i].flexible = static_cast<int>(i) == table.flexible;
        // A description keeps at least a few characters; a fixed column its head.
        demands[i].needed = demands[i].flexible ? 5 * m_charWidth : Width(table.heads.value(static_cast<qsizetype>(i)));
    }
    SelectFont(m_normalFont);
    for (std::size_t i = 0; i < demands.size(); ++i) {
        if (demands[i].flexible)
            continue;
        if (i < table.DistinctTexts().size())
            for (const QString& text : table.DistinctTexts()[i])
                demands[i].needed = std::max(demands[i].needed, Width(text));
    }
    SelectFont(previous);
    return TableColumns::Place(demands, right, Gap());
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
