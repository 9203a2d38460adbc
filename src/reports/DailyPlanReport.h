#pragma once

#include "core/Appointment.h"
#include "core/Task.h"
#include "reports/DailyReport.h"

#include <vector>

// The day's appointments in the left half of the page and its tasks in the right half. The two
// lists are paginated apart; the report has as many pages as the longer one needs.
class DailyPlanReport : public DailyReport {
public:
    DailyPlanReport(platform::DrawSurface* dc, const DateTime& day, std::vector<Appointment> appointments,
                    std::vector<Task> tasks);

    void DrawFrame() override;
    void Paginate() override;

    const Pages& GetAppointmentPages() const { return m_appointmentPages; }
    const Pages& GetTaskPages() const { return m_taskPages; }
    int AppointmentPageCount() const { return static_cast<int>(m_appointmentPages.size()); }
    int TaskPageCount() const { return static_cast<int>(m_taskPages.size()); }
    const TableColumns::Layout& AppointmentColumns() const { return m_appointmentColumns; }
    const TableColumns::Layout& TaskColumns() const { return m_taskColumns; }

protected:
    void DrawBody(int page) override;
    bool ColumnsFit() const override { return m_appointmentColumns.fits && m_taskColumns.fits; }

private:
    void DrawRows(const DailyTable& table, const TableColumns::Layout& columns, const Pages& pages, int page);

    DailyTable m_appointments;
    DailyTable m_tasks;
    Pages m_appointmentPages;
    Pages m_taskPages;
    TableColumns::Layout m_appointmentColumns;
    TableColumns::Layout m_taskColumns;
};
