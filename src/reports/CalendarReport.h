#pragma once

#include "reports/CalendarMonth.h"
#include "reports/DayEntries.h"
#include "reports/Report.h"

// What the weekly and monthly plans share: their records as texts by day, a heading with small
// month calendars (8-point type, smaller where the paper is too narrow for them), no footer and no
// frame, and a body that starts below the heading rather than two lines below the top. Every font
// a page needs besides the report's own is made for that page alone, so drawing a page never
// changes the report's point size.
class CalendarReport : public Report {
public:
    // The report's days run from `first` to `last`; its entries are those of these days.
    CalendarReport(platform::DrawSurface* layout, std::vector<Task> tasks, std::vector<Appointment> appointments,
                   CalendarDate first, CalendarDate last, const std::vector<BirthdayNote>& birthdays = {});

    const DayEntries& Entries() const { return m_entries; }

    static constexpr int HeadingCalendarPoints = 8;

protected:
    // A font of the given face and size, in the device units of the layout surface.
    platform::Font FontAt(const QString& face, int points, int weight) const;
    // The report face at the given size.
    platform::Font ReportFontAt(int points, int weight) const { return FontAt(FaceName(), points, weight); }
    // Metrics of a font, measured on the layout surface.
    platform::TextMetrics MetricsOf(const platform::Font& font);
    // A heading calendar's width at the given size.
    int CalendarWidthAt(int points);
    // Where the body begins below heading calendars of the given size: two lines and a calendar's
    // height below the top.
    int BodyTopAt(int points);
    // Draws the two month calendars of the heading at y = printRect.top, in the report face, bold,
    // at the given size.
    void DrawHeadingCalendars(platform::DrawSurface& dc, int points, int firstX, const CalendarMonth& first,
                              int secondX, const CalendarMonth& second);
    // Writes a day's entries as lines at (x, y), each lh below the last, ending before right and
    // taking at most maxLines lines: an entry too long for what is left ends with an ellipsis, and
    // the entries that find no room are counted on a last line "+N more" ("+N" where that is too
    // wide). The current font is used.
    void DrawEntryLines(platform::DrawSurface& dc, int x, int y, int right, int lh, int maxLines,
                        const QStringList& entries);

private:
    DayEntries m_entries;
};
