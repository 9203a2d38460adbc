#include "reports/DailyTasksReport.h"

#include "reports/ReportText.h"

DailyTasksReport::DailyTasksReport(platform::DrawSurface* dc, const DateTime& day, std::vector<Task> tasks)
    : DailyReport(dc, day, QStringLiteral("DAILY TASKS")) {
    m_table.heads = {QStringLiteral("TASK"), QStringLiteral("PRIORITY"), QStringLiteral("DUE DATE")};
    m_table.flexible = 0;
    m_table.rows.reserve(tasks.size());
    for (const Task& task : tasks)
        m_table.rows.push_back({ReportText::Text(task.Description), ReportText::PriorityWord(task.Priority),
                                ReportText::ShortDate(task.DueDate)});
}

void DailyTasksReport::Paginate() {
    // DUE DATE halfway between PRIORITY and the right edge of the text.
    m_columns = PlaceTable(m_table, {m_col1X, m_col2X, m_col2X + (m_col2X - m_col1X) / 2}, TextRight());
    m_pages.clear();
    if (m_table.rows.empty())
        return;
    m_pages = SplitRowsIntoPages(static_cast<int>(m_table.rows.size()));
    m_pageCount = static_cast<int>(m_pages.size());
}

void DailyTasksReport::DrawBody(int page) {
    DrawHeads(m_table, m_columns);
    if (page < 0 || page >= static_cast<int>(m_pages.size()))
        return;
    for (int index : m_pages[static_cast<std::size_t>(page)]) {
        m_cursorY += m_lineHeight;
        DrawRow(m_table.rows[static_cast<std::size_t>(index)], m_columns);
    }
}
