#pragma once

#include "reports/CalendarMonth.h"
#include "reports/CalendarReport.h"

// A month on one page: small calendars of the months before and after it, then a grid of seven
// columns and eight rows (a title band, the weekday heads and six weeks) with each day's
// appointments and tasks written into its cell.
class MonthlyPlanReport : public CalendarReport {
public:
    MonthlyPlanReport(platform::DrawSurface* dc, const CalendarMonth& month, std::vector<Task> tasks,
                      std::vector<Appointment> appointments);

    void DrawTitle() override;
    void Paginate() override;

    const CalendarMonth& Month() const { return m_month; }
    int DayCount() const { return m_dayCount; }
    // "Mar 2003", above the grid.
    QString GridTitle() const;
    // Where each day's entries were written when the page was last drawn, day 1 first: left of the
    // day number, or below it where the cell is narrow; an empty rectangle for a cell too small.
    const std::vector<platform::Rect>& DayTextRects() const { return m_dayTextRects; }
    // The size the grid title was last drawn in.
    int GridTitlePointSize() const { return m_gridTitlePoints; }

    // The grid title grows no larger than this, whatever the cell height.
    static constexpr int MaxGridTitlePoints = 144;

protected:
    bool FitsPage() override;
    void DrawBody(int page) override;

private:
    static constexpr int kEntryPoints = 6;

    // The size of the heading calendars, for the paper's width.
    void PlaceHeading();
    // The grid's top under heading calendars of the given size, or with none (kNoCalendars).
    int GridTopAt(int calendarPoints);
    bool CellsFit(int calendarPoints);
    static constexpr int kNoCalendars = 0;
    void DrawGridLines(const platform::Rect& grid, int cellW, int cellH);
    void DrawGridTitle(const platform::Rect& grid, int cellH);
    void DrawWeekdayHeads(const platform::Rect& grid, int cellW, int cellH);
    void DrawDayCells(const platform::Rect& grid, int cellW, int cellH);
    void DrawEntries();

    CalendarMonth m_month;
    int m_dayCount = 0;
    std::vector<platform::Rect> m_dayTextRects;
    int m_gridTitlePoints = 0;
    int m_minimumEntryWidth = 0;
};
