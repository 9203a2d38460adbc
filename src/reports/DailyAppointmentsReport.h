#pragma once

#include "core/Appointment.h"
#include "reports/DailyReport.h"

#include <vector>

// The day's appointments: start, end and description, one line each.
class DailyAppointmentsReport : public DailyReport {
public:
    DailyAppointmentsReport(platform::DrawSurface* dc, const DateTime& day, std::vector<Appointment> appointments);

    void Paginate() override;

    const Pages& GetPages() const { return m_pages; }
    // Where START, END and APPOINTMENT begin and end at the current size.
    const TableColumns::Layout& Columns() const { return m_columns; }

protected:
    void DrawBody(int page) override;
    bool ColumnsFit() const override { return m_columns.fits; }

private:
    DailyTable m_table;
    Pages m_pages;
    TableColumns::Layout m_columns;
};
