#pragma once

#include "reports/CalendarMonth.h"
#include "reports/CalendarReport.h"

// A month on one page: small calendars of the months before and after it, then a grid of seven
// columns and eight rows (a title band, the weekday heads and six weeks) with each day's
// appointments and tasks written into its cell.
class MonthlyPlanReport : public CalendarReport {
public:
    MonthlyPlanReport(platform::DrawSurface* layout, const CalendarMonth& month, std::vector<Task> tasks,
                      std::vector<Appointment> appointments, const std::vector<BirthdayNote>& birthdays = {});

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

private:
    static constexpr int kEntryPoints = 6;
    static constexpr int kNoCalendars = 0;

    int Paginate() override;
    void DrawTitle(platform::DrawSurface& dc, int page) override;
    bool FitsPage() override;
    void DrawBody(platform::DrawSurface& dc, int page) override;

    // The size of the heading calendars for the paper's width, or kNoCalendars.
    int PlaceHeading();
    // The grid's top under heading calendars of the given size, or with none (kNoCalendars).
    int GridTopAt(int calendarPoints);
    bool CellsFit(int calendarPoints);
    void DrawGridLines(platform::DrawSurface& dc, const platform::Rect& grid, int cellW, int cellH);
    void DrawGridTitle(platform::DrawSurface& dc, const platform::Rect& grid, int cellH);
    void DrawWeekdayHeads(platform::DrawSurface& dc, const platform::Rect& grid, int cellW, int cellH);
    // Each day's number, and where its entries go: left of the number, or below it where that leaves
    // less than minimumEntryWidth.
    void DrawDayCells(platform::DrawSurface& dc, const platform::Rect& grid, int cellW, int cellH,
                      int minimumEntryWidth);
    void DrawEntries(platform::DrawSurface& dc);

    CalendarMonth m_month;
    int m_dayCount = 0;
    // What the page last drawn placed.
    std::vector<platform::Rect> m_dayTextRects;
    int m_gridTitlePoints = 0;
};
