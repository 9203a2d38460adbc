#include "reports/DailyPlanReport.h"

#include <algorithm>

DailyPlanReport::DailyPlanReport(platform::DrawSurface* layout, const DateTime& day,
                                 const std::vector<Appointment>& appointments, const std::vector<Task>& tasks,
                                 const std::vector<BirthdayNote>& birthdays)
    : DailyReport(layout, day, QStringLiteral("DAILY PLAN")),
      m_appointments(DailyTable::OfAppointments(appointments, CalendarDate::Of(day), birthdays)),
      m_tasks(DailyTable::OfTasks(tasks)) {}

void DailyPlanReport::DrawFrame(platform::DrawSurface& dc) {
    DrawStandardFrame(dc);
    dc.moveTo(Col2X(), BodyTop());
    dc.lineTo(Col2X(), FooterTop());
}

int DailyPlanReport::Paginate() {
    // Each half in quarters of the print width: START, END a half quarter on, APPOINTMENT a quarter
    // on; TASK, PRIORITY a quarter on, DUE DATE a half quarter further.
    const int q = GetPrintRect().width() / 4;
    const int a0 = GetPrintRect().left + CharWidth() / 2;
    const int t0 = Col2X() + CharWidth() / 2;
    m_appointmentColumns = PlaceTable(m_appointments, {a0, a0 + q / 2, a0 + q}, Col2X() - Gap());
    m_taskColumns = PlaceTable(m_tasks, {t0, t0 + q, t0 + q + q / 2}, TextRight());

    m_appointmentPages.clear();
    if (!m_appointments.rows.empty())
        m_appointmentPages = SplitRowsIntoPages(static_cast<int>(m_appointments.rows.size()));
    m_taskPages.clear();
    if (!m_tasks.rows.empty())
        m_taskPages = SplitRowsIntoPages(static_cast<int>(m_tasks.rows.size()));
    return std::max(AppointmentPageCount(), TaskPageCount());
}

void DailyPlanReport::DrawBody(platform::DrawSurface& dc, int page) {
    DrawHeads(dc, m_appointments, m_appointmentColumns);
    DrawHeads(dc, m_tasks, m_taskColumns);
    // Each half's rows start under its own heads.
    DrawRows(dc, m_appointments, m_appointmentColumns, m_appointmentPages, page);
    DrawRows(dc, m_tasks, m_taskColumns, m_taskPages, page);
}
