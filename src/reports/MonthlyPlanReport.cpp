#include "reports/MonthlyPlanReport.h"

#include "reports/CalendarNames.h"
#include "reports/MiniCalendar.h"
#include "reports/SurfaceGuards.h"

#include <algorithm>
#include <utility>

MonthlyPlanReport::MonthlyPlanReport(platform::DrawSurface* layout, const CalendarMonth& month, std::vector<Task> tasks,
                                     std::vector<Appointment> appointments, const std::vector<BirthdayNote>& birthdays)
    : CalendarReport(layout, std::move(tasks), std::move(appointments),
                     CalendarDate::FromParts(month.year, month.month, 1),
                     CalendarDate::FromParts(month.year, month.month, month.DayCount()), birthdays),
      m_month(month), m_dayCount(month.DayCount()) {
    Repaginate();
}

int MonthlyPlanReport::Paginate() {
    return 1;
}

QString MonthlyPlanReport::GridTitle() const {
    return CalendarNames::GridMonth(m_month.month) + QLatin1Char(' ') + QString::number(m_month.year);
}

int MonthlyPlanReport::PlaceHeading() {
    // 8 points while the two calendars fit side by side with a character between them and leave the
    // grid's cells room for an entry.
    for (int points = HeadingCalendarPoints; points >= SmallestPointSize; --points)
        if (2 * CalendarWidthAt(points) + CharWidth() <= GetPrintRect().width() && CellsFit(points))
            return points;
    // Paper too small for the calendars and the grid even in the smallest type: the grid, which
    // holds the month's entries, keeps the page.
    return PointSize() == SmallestPointSize && CellsFit(kNoCalendars) ? kNoCalendars : SmallestPointSize;
}

int MonthlyPlanReport::GridTopAt(int calendarPoints) {
    return calendarPoints == kNoCalendars ? GetPrintRect().top : BodyTopAt(calendarPoints);
}

bool MonthlyPlanReport::CellsFit(int calendarPoints) {
    const int cellH = (GetPrintRect().bottom - GridTopAt(calendarPoints)) / 8;
    // A cell holds its day number a line down, a line of entries under it, and the weekday head.
    const platform::TextMetrics entry = MetricsOf(ReportFontAt(kEntryPoints, 400));
    return cellH >= 2 * LineHeight() + entry.height + entry.externalLeading;
}

void MonthlyPlanReport::DrawTitle(platform::DrawSurface& dc, int) {
    const int points = PlaceHeading();
    if (points != kNoCalendars)
        DrawHeadingCalendars(dc, points, GetPrintRect().left, m_month.Plus(-1),
                             GetPrintRect().right - CalendarWidthAt(points), m_month.Plus(1));
}

bool MonthlyPlanReport::FitsPage() {
    const int cellW = GetPrintRect().width() / 7;
    return CellsFit(PlaceHeading()) && cellW >= 4 * CharWidth();
}

void MonthlyPlanReport::DrawBody(platform::DrawSurface& dc, int) {
    const platform::Rect& r = GetPrintRect();
    m_dayTextRects.assign(static_cast<std::size_t>(m_dayCount), platform::Rect{});
    const platform::Rect grid{r.left, GridTopAt(PlaceHeading()), r.right, r.bottom};
    const int minimumEntryWidth = 6 * MetricsOf(ReportFontAt(kEntryPoints, 400)).averageCharWidth;
    const int cellW = grid.width() / 7;
    const int cellH = grid.height() / 8;
    if (cellW <= 0 || cellH <= 0)
        return; // the paper leaves no room for a grid below the heading

    BackgroundGuard transparent(dc, platform::BackgroundMode::Transparent);
    FontScope bold(*this, dc, BoldFont());
    DrawGridLines(dc, grid, cellW, cellH);
    DrawGridTitle(dc, grid, cellH);
    DrawWeekdayHeads(dc, grid, cellW, cellH);
    DrawDayCells(dc, grid, cellW, cellH, minimumEntryWidth);
    DrawEntries(dc);
}

void MonthlyPlanReport::DrawGridLines(platform::DrawSurface& dc, const platform::Rect& grid, int cellW, int cellH) {
    for (int k = 0; k <= 8; ++k) {
        dc.moveTo(grid.left, grid.top + k * cellH);
        dc.lineTo(grid.left + 7 * cellW, grid.top + k * cellH);
    }
    for (int k = 0; k <= 7; ++k) {
        // The title band has no inner lines.
        dc.moveTo(grid.left + k * cellW, k == 0 || k == 7 ? grid.top : grid.top + cellH);
        dc.lineTo(grid.left + k * cellW, grid.top + 8 * cellH);
    }
}

void MonthlyPlanReport::DrawGridTitle(platform::DrawSurface& dc, const platform::Rect& grid, int cellH) {
    // The title fills about a third of its band: from 6 points up in steps of 2, with a ceiling so
    // that a device that reports no text height cannot keep it growing.
    const QString title = GridTitle();
    int points = 6;
    FontScope font(*this, dc, ReportFontAt(points, 700));
    while (points < MaxGridTitlePoints && dc.textExtent(title).height() < cellH / 3) {
        points += 2;
        font.Use(ReportFontAt(points, 700));
    }
    m_gridTitlePoints = points;
    const QString shown = Elided(dc, title, grid.width());
    const QSize extent = dc.textExtent(shown);
    dc.textOut(grid.left + (grid.width() - extent.width()) / 2, grid.top + cellH - extent.height(), shown);
}

void MonthlyPlanReport::DrawWeekdayHeads(platform::DrawSurface& dc, const platform::Rect& grid, int cellW, int cellH) {
    for (int k = 0; k < 7; ++k) {
        const int cellLeft = grid.left + k * cellW;
        // Centred as three average characters, but never starting left of its cell or ending past it.
        const int x = std::max(cellLeft + 1, cellLeft + (cellW - 3 * CharWidth()) / 2);
        TextOutWithin(dc, x, grid.top + 2 * cellH - LineHeight(), cellLeft + cellW, CalendarNames::GridWeekday(k));
    }
}

void MonthlyPlanReport::DrawDayCells(platform::DrawSurface& dc, const platform::Rect& grid, int cellW, int cellH,
                                     int minimumEntryWidth) {
    const int lh = LineHeight();
    const int cw = CharWidth();
    int column = m_month.FirstWeekday();
    int rowTop = grid.top + 2 * cellH;
    for (int day = 1; day <= m_dayCount; ++day) {
        const int cellLeft = grid.left + column * cellW;
        const QString number = QString::number(day);
        const int numberX = cellLeft + cellW - cw - Width(dc, number);
        dc.textOut(numberX, rowTop + lh, number);
        // Entries go left of the number; where that leaves too little room, below it across the cell.
        platform::Rect text{cellLeft + cw, rowTop + lh / 2, numberX - cw / 2, rowTop + cellH - lh / 2};
        if (text.width() < minimumEntryWidth)
            text = {cellLeft + cw, rowTop + 2 * lh, cellLeft + cellW - cw, rowTop + cellH - 1};
        if (text.width() > 0 && text.height() > 0)
            m_dayTextRects[static_cast<std::size_t>(day - 1)] = text;
        if (++column == 7) {
            column = 0;
            rowTop += cellH;
        }
    }
}

void MonthlyPlanReport::DrawEntries(platform::DrawSurface& dc) {
    FontScope font(*this, dc, ReportFontAt(kEntryPoints, 400));
    const platform::TextMetrics metrics = dc.textMetrics();
    const int lh = std::max(1, metrics.height + metrics.externalLeading);
    for (int day = 1; day <= m_dayCount; ++day) {
        const platform::Rect& rect = m_dayTextRects[static_cast<std::size_t>(day - 1)];
        if (rect.width() > 0 && rect.height() >= metrics.height)
            DrawEntryLines(dc, rect.left, rect.top, rect.right, lh, (rect.height() - metrics.height) / lh + 1,
                           Entries().Texts(CalendarDate::FromParts(m_month.year, m_month.month, day)));
    }
}
