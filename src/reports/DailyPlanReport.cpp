#include "reports/DailyPlanReport.h"

#include "reports/ReportText.h"

#include <algorithm>

DailyPlanReport::DailyPlanReport(platform::DrawSurface* dc, const DateTime& day, std::vector<Appointment> appointments,
                                 std::vector<Task> tasks)
    : DailyReport(dc, day, QStringLiteral("DAILY PLAN")) {
    m_appointments.heads = {QStringLiteral("START"), QStringLiteral("END"), QStringLiteral("APPOINTMENT")};
    m_appointments.flexible = 2;
    m_appointments.rows.reserve(appointments.size());
    for (const Appointment& appointment : appointments)
        m_appointments.rows.push_back({ReportText::Time(appointment.StartTime), ReportText::Time(appointment.EndTime),
                                       ReportText::Text(appointment.Description)});
    m_tasks.heads = {QStringLiteral("TASK"), QStringLiteral("PRIORITY"), QStringLiteral("DUE DATE")};
    m_tasks.flexible = 0;
    m_tasks.rows.reserve(tasks.size());
    for (const Task& task : tasks)
        m_tasks.rows.push_back({ReportText::Text(task.Description), ReportText::PriorityWord(task.Priority),
                                ReportText::ShortDate(task.DueDate)});
}

void DailyPlanReport::DrawFrame() {
    DrawStandardFrame();
    m_dc->moveTo(m_col2X, m_printRect.top + 2 * m_lineHeight);
    m_dc->lineTo(m_col2X, m_printRect.bottom - m_lineHeight);
}

void DailyPlanReport::Paginate() {
    // Each half in quarters of the print width: START, END a half quarter on, APPOINTMENT a quarter
    // on; TASK, PRIORITY a quarter on, DUE DATE a half quarter further.
    const int q = m_printRect.width() / 4;
    const int a0 = m_printRect.left + m_charWidth / 2;
    const int t0 = m_col2X + m_charWidth / 2;
    m_appointmentColumns = PlaceTable(m_appointments, {a0, a0 + q / 2, a0 + q}, m_col2X - Gap());
    m_taskColumns = PlaceTable(m_tasks, {t0, t0 + q, t0 + q + q / 2}, TextRight());

    m_appointmentPages.clear();
    if (!m_appointments.rows.empty())
        m_appointmentPages = SplitRowsIntoPages(static_cast<int>(m_appointments.rows.size()));
    m_taskPages.clear();
    if (!m_tasks.rows.empty())
        m_taskPages = SplitRowsIntoPages(static_cast<int>(m_tasks.rows.size()));
    if (!m_appointments.rows.empty() || !m_tasks.rows.empty())
        m_pageCount = std::max(AppointmentPageCount(), TaskPageCount());
}

void DailyPlanReport::DrawBody(int page) {
    const int headTop = m_cursorY;
    DrawHeads(m_appointments, m_appointmentColumns);
    DrawHeads(m_tasks, m_taskColumns);
    DrawRows(m_appointments, m_appointmentColumns, m_appointmentPages, page);
    m_cursorY = headTop;
    DrawRows(m_tasks, m_taskColumns, m_taskPages, page);
}

void DailyPlanReport::DrawRows(const DailyTable& table, const TableColumns::Layout& columns, const Pages& pages,
                               int page) {
    if (page < 0 || page >= static_cast<int>(pages.size()))
        return;
    for (int index : pages[static_cast<std::size_t>(page)]) {
        m_cursorY += m_lineHeight;
        DrawRow(table.rows[static_cast<std::size_t>(index)], columns);
    }
}
