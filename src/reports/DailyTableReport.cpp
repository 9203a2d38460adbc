#include "reports/DailyTableReport.h"

#include <utility>

DailyTableReport::DailyTableReport(platform::DrawSurface* layout, const DateTime& day, const QString& title,
                                   DailyTable table)
    : DailyReport(layout, day, title), m_table(std::move(table)) {}

int DailyTableReport::Paginate() {
    m_columns = PlaceTable(m_table, DefaultColumnStarts(), TextRight());
    m_pages.clear();
    if (!m_table.rows.empty())
        m_pages = SplitRowsIntoPages(static_cast<int>(m_table.rows.size()));
    return static_cast<int>(m_pages.size());
}

void DailyTableReport::DrawBody(platform::DrawSurface& dc, int page) {
    DrawHeads(dc, m_table, m_columns);
    DrawRows(dc, m_table, m_columns, m_pages, page);
}
