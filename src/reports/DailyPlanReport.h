#pragma once

#include "reports/DailyReport.h"

#include <vector>

// The day's appointments in the left half of the page and its tasks in the right half. The two
// lists are paginated apart; the report has as many pages as the longer one needs.
class DailyPlanReport : public DailyReport {
public:
    DailyPlanReport(platform::DrawSurface* layout, const DateTime& day, const std::vector<Appointment>& appointments,
                    const std::vector<Task>& tasks, const std::vector<BirthdayNote>& birthdays = {});

    const Pages& GetAppointmentPages() const { return m_appointmentPages; }
    const Pages& GetTaskPages() const { return m_taskPages; }
    int AppointmentPageCount() const { return static_cast<int>(m_appointmentPages.size()); }
    int TaskPageCount() const { return static_cast<int>(m_taskPages.size()); }
    const TableColumns::Layout& AppointmentColumns() const { return m_appointmentColumns; }
    const TableColumns::Layout& TaskColumns() const { return m_taskColumns; }

private:
    // The shared frame and a line between the halves, from the heads down to the footer.
    void DrawFrame(platform::DrawSurface& dc) override;
    int Paginate() override;
    void DrawBody(platform::DrawSurface& dc, int page) override;
    bool ColumnsFit() const override { return m_appointmentColumns.fits && m_taskColumns.fits; }

    DailyTable m_appointments;
    DailyTable m_tasks;
    Pages m_appointmentPages;
    Pages m_taskPages;
    TableColumns::Layout m_appointmentColumns;
    TableColumns::Layout m_taskColumns;
};
