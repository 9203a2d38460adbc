#pragma once

#include "core/Appointment.h"
#include "reports/Report.h"

#include <vector>

// The day's appointments: start, end and description, one line each.
class DailyAppointmentsReport : public Report {
public:
    DailyAppointmentsReport(platform::DrawSurface* dc, std::vector<Appointment> appointments);

    void DrawTitle() override;
    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;
    void Paginate() override;

    const Pages& GetPages() const { return m_pages; }
    // The END column, a quarter of the print width right of START.
    int EndX() const;

protected:
    void DrawBody(int page) override;

private:
    std::vector<Appointment> m_appointments;
    Pages m_pages;
};
