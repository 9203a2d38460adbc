#include "reports/DailyAppointmentsReport.h"

#include "reports/ReportText.h"

DailyAppointmentsReport::DailyAppointmentsReport(platform::DrawSurface* dc, const DateTime& day,
                                                 std::vector<Appointment> appointments)
    : DailyReport(dc, day, QStringLiteral("DAILY APPOINTMENTS")) {
    m_table.heads = {QStringLiteral("START"), QStringLiteral("END"), QStringLiteral("APPOINTMENT")};
    m_table.flexible = 2;
    m_table.rows.reserve(appointments.size());
    for (const Appointment& appointment : appointments)
        m_table.rows.push_back({ReportText::Time(appointment.StartTime), ReportText::Time(appointment.EndTime),
                                ReportText::Text(appointment.Description)});
}

void DailyAppointmentsReport::Paginate() {
    // END a quarter of the print width right of START, measured from the print rectangle.
    m_columns =
        PlaceTable(m_table, {m_col1X, m_printRect.left + m_printRect.width() / 4 + m_charWidth, m_col2X}, TextRight());
    m_pages.clear();
    if (m_table.rows.empty())
        return;
    m_pages = SplitRowsIntoPages(static_cast<int>(m_table.rows.size()));
    m_pageCount = static_cast<int>(m_pages.size());
}

void DailyAppointmentsReport::DrawBody(int page) {
    DrawHeads(m_table, m_columns);
    if (page < 0 || page >= static_cast<int>(m_pages.size()))
        return;
    for (int index : m_pages[static_cast<std::size_t>(page)]) {
        m_cursorY += m_lineHeight;
        DrawRow(m_table.rows[static_cast<std::size_t>(index)], m_columns);
    }
}
