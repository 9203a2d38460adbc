#include "reports/DailyTasksReport.h"

#include "reports/ReportText.h"

#include <utility>

DailyTasksReport::DailyTasksReport(platform::DrawSurface* dc, std::vector<Task> tasks)
    : Report(dc), m_tasks(std::move(tasks)) {}

void DailyTasksReport::DrawTitle() {
    DrawCentredTitle(QStringLiteral("DAILY TASKS"));
}

void DailyTasksReport::DrawFooter(int pageNumber) {
    DrawCentredFooter(QStringLiteral("Page %1").arg(pageNumber));
}

void DailyTasksReport::DrawFrame() {
    DrawStandardFrame();
}

void DailyTasksReport::Paginate() {
    m_pages.clear();
    if (m_tasks.empty())
        return;
    m_pages = SplitRowsIntoPages(static_cast<int>(m_tasks.size()));
    m_pageCount = static_cast<int>(m_pages.size());
}

void DailyTasksReport::DrawBody(int page) {
    const platform::Font previous = m_dc->selectFont(m_boldFont);
    TextOut(m_col1X, m_cursorY, QStringLiteral("TASK"));
    TextOut(m_col2X, m_cursorY, QStringLiteral("PRIORITY"));
    TextOut(DueDateX(), m_cursorY, QStringLiteral("DUE DATE"));
    m_dc->selectFont(m_normalFont);
    if (page >= 0 && page < static_cast<int>(m_pages.size())) {
        for (int index : m_pages[static_cast<std::size_t>(page)]) {
            const Task& task = m_tasks[static_cast<std::size_t>(index)];
            m_cursorY += m_lineHeight;
            m_dc->textOutClipped(m_col1X, m_cursorY,
                                 {m_col1X, m_cursorY, m_col2X - m_charWidth / 2, m_cursorY + m_lineHeight},
                                 ReportText::Text(task.Description));
            TextOut(m_col2X, m_cursorY, ReportText::PriorityWord(task.Priority));
            TextOut(DueDateX(), m_cursorY, ReportText::ShortDate(task.DueDate));
        }
    }
    m_dc->selectFont(previous);
}
