#include "reports/DailyPlanReport.h"

#include "reports/ReportText.h"

#include <algorithm>
#include <utility>

DailyPlanReport::DailyPlanReport(platform::DrawSurface* dc, std::vector<Appointment> appointments,
                                 std::vector<Task> tasks)
    : Report(dc), m_appointments(std::move(appointments)), m_tasks(std::move(tasks)) {}

void DailyPlanReport::DrawTitle() {
    DrawCentredTitle(QStringLiteral("DAILY PLAN"));
}

void DailyPlanReport::DrawFooter(int pageNumber) {
    DrawCentredFooter(QStringLiteral("Page %1").arg(pageNumber));
}

void DailyPlanReport::DrawFrame() {
    DrawStandardFrame();
    m_dc->moveTo(m_col2X, m_printRect.top + 2 * m_lineHeight);
    m_dc->lineTo(m_col2X, m_printRect.bottom - m_lineHeight);
}

void DailyPlanReport::Paginate() {
    m_appointmentPages.clear();
    if (!m_appointments.empty())
        m_appointmentPages = SplitRowsIntoPages(static_cast<int>(m_appointments.size()));
    m_taskPages.clear();
    if (!m_tasks.empty())
        m_taskPages = SplitRowsIntoPages(static_cast<int>(m_tasks.size()));
    if (!m_appointments.empty() || !m_tasks.empty())
        m_pageCount = std::max(AppointmentPageCount(), TaskPageCount());
}

void DailyPlanReport::DrawBody(int page) {
    DrawHeads();
    if (page >= 0 && page < AppointmentPageCount())
        DrawAppointmentRows(page);
    m_cursorY = m_printRect.top + 2 * m_lineHeight;
    if (page >= 0 && page < TaskPageCount())
        DrawTaskRows(page);
}

void DailyPlanReport::DrawHeads() {
    const platform::Font previous = m_dc->selectFont(m_boldFont);
    const int a0 = AppointmentsX();
    const int t0 = TasksX();
    const int q = Quarter();
    TextOut(a0, m_cursorY, QStringLiteral("START"));
    TextOut(a0 + q / 2, m_cursorY, QStringLiteral("END"));
    TextOut(a0 + q, m_cursorY, QStringLiteral("APPOINTMENT"));
    TextOut(t0, m_cursorY, QStringLiteral("TASK"));
    TextOut(t0 + q, m_cursorY, QStringLiteral("PRIORITY"));
    TextOut(t0 + q + q / 2, m_cursorY, QStringLiteral("DUE DATE"));
    m_dc->selectFont(previous);
}

void DailyPlanReport::DrawAppointmentRows(int page) {
    const int a0 = AppointmentsX();
    const int q = Quarter();
    for (int index : m_appointmentPages[static_cast<std::size_t>(page)]) {
        const Appointment& appointment = m_appointments[static_cast<std::size_t>(index)];
        m_cursorY += m_lineHeight;
        TextOut(a0, m_cursorY, ReportText::Time(appointment.StartTime));
        TextOut(a0 + q / 2, m_cursorY, ReportText::Time(appointment.EndTime));
        m_dc->textOutClipped(a0 + q, m_cursorY, {a0 + q, m_cursorY, m_col2X, m_cursorY + m_lineHeight},
                             ReportText::Text(appointment.Description));
    }
}

void DailyPlanReport::DrawTaskRows(int page) {
    const int t0 = TasksX();
    const int q = Quarter();
    for (int index : m_taskPages[static_cast<std::size_t>(page)]) {
        const Task& task = m_tasks[static_cast<std::size_t>(index)];
        m_cursorY += m_lineHeight;
        m_dc->textOutClipped(t0, m_cursorY, {t0, m_cursorY, m_col2X + q, m_cursorY + m_lineHeight},
                             ReportText::Text(task.Description));
        TextOut(t0 + q, m_cursorY, ReportText::PriorityWord(task.Priority));
        TextOut(t0 + q + q / 2, m_cursorY, ReportText::ShortDate(task.DueDate));
    }
}
