#include "reports/CalendarReport.h"

#include "reports/MiniCalendar.h"

#include <utility>

CalendarReport::CalendarReport(platform::DrawSurface* layout, std::vector<Task> tasks,
                               std::vector<Appointment> appointments, CalendarDate first, CalendarDate last,
                               const std::vector<BirthdayNote>& birthdays)
    : Report(layout), m_entries(std::move(tasks), std::move(appointments), first, last, birthdays) {}

platform::Font CalendarReport::FontAt(const QString& face, int points, int weight) const {
    return {face, -(points * LayoutSurface().deviceCaps(platform::DeviceCap::LogPixelsY) / 72), weight};
}

platform::TextMetrics CalendarReport::MetricsOf(const platform::Font& font) {
    FontScope scope(*this, LayoutSurface(), font);
    return LayoutSurface().textMetrics();
}

int CalendarReport::CalendarWidthAt(int points) {
    return MiniCalendar::Width(MetricsOf(ReportFontAt(points, 700)));
}

int CalendarReport::BodyTopAt(int points) {
    const platform::TextMetrics metrics = MetricsOf(ReportFontAt(points, 700));
    return GetPrintRect().top + 2 * (metrics.height + metrics.externalLeading) + MiniCalendar::Height(metrics);
}

void CalendarReport::DrawHeadingCalendars(platform::DrawSurface& dc, int points, int firstX, const CalendarMonth& first,
                                          int secondX, const CalendarMonth& second) {
    FontScope font(*this, dc, ReportFontAt(points, 700));
    MiniCalendar::Draw(dc, firstX, GetPrintRect().top, first);
    MiniCalendar::Draw(dc, secondX, GetPrintRect().top, second);
}

void CalendarReport::DrawEntryLines(platform::DrawSurface& dc, int x, int y, int right, int lh, int maxLines,
                                    const QStringList& entries) {
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
        QStringList lines = Wrapped(dc, entries.at(shown), width);
        if (lines.isEmpty())
            lines.append(QString()); // an entry without text still takes its line
        used += TextLinesWithin(dc, x, y + used * lh, right, lh, room, lines);
        if (lines.size() > room) {
            ++shown;
            break;
        }
    }
    if (shown < count) {
        // In a narrow cell the count alone.
        const QString more = QStringLiteral("+%1 more").arg(count - shown);
        TextOutWithin(dc, x, y + used * lh, right,
                      Width(dc, more) <= width ? more : QStringLiteral("+%1").arg(count - shown));
    }
}
