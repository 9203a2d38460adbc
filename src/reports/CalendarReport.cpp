#include "reports/CalendarReport.h"

#include "reports/MiniCalendar.h"

#include <utility>

CalendarReport::CalendarReport(platform::DrawSurface* dc, std::vector<Task> tasks,
                               std::vector<Appointment> appointments)
    : Report(dc), m_entries(std::move(tasks), std::move(appointments)) {}

void CalendarReport::DrawFooter(int) {}

void CalendarReport::DrawFrame() {}

void CalendarReport::DrawPageDecoration(int page) {
    m_page = page;
    DrawTitle();
}

platform::Font CalendarReport::FontAt(const QString& face, int points, int weight) const {
    return {face, -(points * m_dc->deviceCaps(platform::DeviceCap::LogPixelsY) / 72), weight};
}

int CalendarReport::HeadingCharWidth() const {
    const platform::Font previous = m_dc->selectFont(ReportFontAt(8, 700));
    const int width = m_dc->textMetrics().averageCharWidth;
    m_dc->selectFont(previous);
    return width;
}

int CalendarReport::DrawHeadingCalendars(int firstX, const CalendarMonth& first, int secondX,
                                         const CalendarMonth& second) {
    const platform::Font previous = m_dc->selectFont(ReportFontAt(8, 700));
    const platform::TextMetrics metrics = m_dc->textMetrics();
    MiniCalendar::Draw(*m_dc, firstX, m_printRect.top, first);
    MiniCalendar::Draw(*m_dc, secondX, m_printRect.top, second);
    m_dc->selectFont(previous);
    return m_printRect.top + 2 * (metrics.height + metrics.externalLeading) + MiniCalendar::Height(metrics);
}
