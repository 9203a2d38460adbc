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

platform::TextMetrics CalendarReport::MetricsOf(const platform::Font& font) {
    const platform::Font previous = SelectFont(font);
    const platform::TextMetrics metrics = m_dc->textMetrics();
    SelectFont(previous);
    return metrics;
}

int CalendarReport::CalendarWidthAt(int points) {
    return MiniCalendar::Width(MetricsOf(ReportFontAt(points, 700)));
}

int CalendarReport::BodyTopAt(int points) {
    const platform::TextMetrics metrics = MetricsOf(ReportFontAt(points, 700));
    return m_printRect.top + 2 * (metrics.height + metrics.externalLeading) + MiniCalendar::Height(metrics);
}

int CalendarReport::DrawHeadingCalendars(int firstX, const CalendarMonth& first, int secondX,
                                         const CalendarMonth& second) {
    const platform::Font previous = SelectFont(ReportFontAt(m_calendarPoints, 700));
    MiniCalendar::Draw(*m_dc, firstX, m_printRect.top, first);
    MiniCalendar::Draw(*m_dc, secondX, m_printRect.top, second);
    SelectFont(previous);
    return BodyTopAt(m_calendarPoints);
}

void CalendarReport::DrawEntryLines(int x, int y, int right, int lh, int maxLines, const QStringList& entries) {
    const int width = right - x;
    if (width <= 0 || lh <= 0 || maxLines <= 0)
        return;
    const int count = static_cast<int>(entries.size());
    int used = 0;
    int shown = 0;
    for (; shown < count; ++shown) {
        // While entries remain after this one, the last line is kept for "+N more".
        const int room = maxLines - used - (shown + 1 < count ? 1 : 0);
        if (room <= 0)
            break;
        QStringList lines = Wrapped(entries.at(shown), width);
        if (lines.isEmpty())
            lines.append(QString()); // an entry without text still takes its line
        used += TextLinesWithin(x, y + used * lh, right, lh, room, lines);
        if (lines.size() > room) {
            ++shown;
            break;
        }
    }
    if (shown < count) {
        // In a narrow cell the count alone.
        const QString more = QStringLiteral("+%1 more").arg(count - shown);
        TextOutWithin(x, y + used * lh, right, Width(more) <= width ? more : QStringLiteral("+%1").arg(count - shown));
    }
}
