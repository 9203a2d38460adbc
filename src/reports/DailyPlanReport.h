#pragma once

#include "core/Appointment.h"
#include "core/Task.h"
#include "reports/Report.h"

#include <vector>

// The day's appointments in the left half of the page and its tasks in the right half. The two
// lists are paginated apart; the report has as many pages as the longer one needs.
class DailyPlanReport : public Report {
public:
    DailyPlanReport(platform::DrawSurface* dc, std::vector<Appointment> appointments, std::vector<Task> tasks);

    void DrawTitle() override;
    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;
    void Paginate() override;

    const Pages& GetAppointmentPages() const { return m_appointmentPages; }
    const Pages& GetTaskPages() const { return m_taskPages; }
    int AppointmentPageCount() const { return static_cast<int>(m_appointmentPages.size()); }
    int TaskPageCount() const { return static_cast<int>(m_taskPages.size()); }

protected:
    void DrawBody(int page) override;

private:
    int Quarter() const { return m_printRect.width() / 4; }
    int AppointmentsX() const { return m_printRect.left + m_charWidth / 2; }
    int TasksX() const { return m_col2X + m_charWidth / 2; }
    void DrawHeads();
    void DrawAppointmentRows(int page);
    void DrawTaskRows(int page);

    std::vector<Appointment> m_appointments;
    std::vector<Task> m_tasks;
    Pages m_appointmentPages;
    Pages m_taskPages;
};
