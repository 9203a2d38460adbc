#pragma once

#include "reports/CalendarMonth.h"
#include "reports/DayEntries.h"
#include "reports/Report.h"

// What the weekly and monthly plans share: their records as texts by day, a heading in 8-point
// type with small month calendars, no footer and no frame, and a body that starts below the
// heading rather than two lines below the top. Every font a page needs besides the report's own
// is made for that page alone, so drawing a page never changes the report's point size.
class CalendarReport : public Report {
public:
    CalendarReport(platform::DrawSurface* dc, std::vector<Task> tasks, std::vector<Appointment> appointments);

    void DrawFooter(int pageNumber) override;
    void DrawFrame() override;

    const DayEntries& Entries() const { return m_entries; }
    // The page being drawn, or the last one drawn.
    int CurrentPage() const { return m_page; }

protected:
    void DrawPageDecoration(int page) override;

    // A font of the given face and size on the surface being drawn on.
    platform::Font FontAt(const QString& face, int points, int weight) const;
    // The report face at the given size.
    platform::Font ReportFontAt(int points, int weight) const { return FontAt(m_faceName, points, weight); }
    // Draws the two month calendars of the heading at y = printRect.top, in the report face, bold,
    // 8 points; returns where the body begins: two lines and a calendar's height below the top.
    int DrawHeadingCalendars(int firstX, const CalendarMonth& first, int secondX, const CalendarMonth& second);
    // The 8-point average character width that places the heading calendars.
    int HeadingCharWidth() const;

    DayEntries m_entries;
    int m_page = 0;
    int m_bodyTop = 0; // set by DrawTitle
};
