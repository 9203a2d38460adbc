#include "reports/DailyAppointmentsReport.h"

#include "reports/ReportText.h"

#include <utility>

DailyAppointmentsReport::DailyAppointmentsReport(platform::DrawSurface* dc, std::vector<Appointment> appointments)
    : Report(dc), m_appointments(std::move(appointments)) {}

void DailyAppointmentsReport::DrawTitle() {
    DrawCentredTitle(QStringLiteral("DAILY APPOINTMENTS"));
}

void DailyAppointmentsReport::DrawFooter(int pageNumber) {
    DrawCentredFooter(QStringLiteral("Page %1").arg(pageNumber));
}

void DailyAppointmentsReport::DrawFrame() {
    DrawStandardFrame();
}

void DailyAppointmentsReport::Paginate() {
    m_pages.clear();
    if (m_appointments.empty())
        return;
    m_pages = SplitRowsIntoPages(static_cast<int>(m_appointments.size()));
    m_pageCount = static_cast<int>(m_pages.size());
}

int DailyAppointmentsReport::EndX() const {
    // Measured from the print rectangle, so that wide margins or large type never push the column
    // onto START or outside the frame.
    return m_printRect.left + m_printRect.width() / 4 + m_charWidth;
}

void DailyAppointmentsReport::DrawBody(int page) {
    const platform::Font previous = m_dc->selectFont(m_boldFont);
    TextOut(m_col1X, m_cursorY, QStringLiteral("START"));
    TextOut(EndX(), m_cursorY, QStringLiteral("END"));
    TextOut(m_col2X, m_cursorY, QStringLiteral("APPOINTMENT"));
    m_dc->selectFont(m_normalFont);
    if (page >= 0 && page < static_cast<int>(m_pages.size())) {
        for (int index : m_pages[static_cast<std::size_t>(page)]) {
            const Appointment& appointment = m_appointments[static_cast<std::size_t>(index)];
            m_cursorY += m_lineHeight;
            TextOut(m_col1X, m_cursorY, ReportText::Time(appointment.StartTime));
            TextOut(EndX(), m_cursorY, ReportText::Time(appointment.EndTime));
            m_dc->textOutClipped(m_col2X, m_cursorY, {m_col2X, m_cursorY, m_printRect.right, m_cursorY + m_lineHeight},
                                 ReportText::Text(appointment.Description));
        }
    }
    m_dc->selectFont(previous);
}
