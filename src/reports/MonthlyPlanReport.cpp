#include "reports/MonthlyPlanReport.h"

#include "reports/CalendarNames.h"
#include "reports/MiniCalendar.h"

#include <algorithm>
#include <utility>

MonthlyPlanReport::MonthlyPlanReport(platform::DrawSurface* dc, const CalendarMonth& month, std::vector<Task> tasks,
                                     std::vector<Appointment> appointments)
    : CalendarReport(dc, std::move(tasks), std::move(appointments)), m_month(month), m_dayCount(month.DayCount()) {
    Paginate();
}

void MonthlyPlanReport::Paginate() {
    m_pageCount = 1;
}

QString MonthlyPlanReport::GridTitle() const {
    return CalendarNames::GridMonth(m_month.month) + QLatin1Char(' ') + QString::number(m_month.year);
}

void MonthlyPlanReport::PlaceHeading() {
    // 8 points while the two calendars fit side by side with a character between them and leave the
    // grid's cells room for an entry.
    for (m_calendarPoints = HeadingCalendarPoints; m_calendarPoints >= SmallestPointSize; --m_calendarPoints)
        if (2 * CalendarWidthAt(m_calendarPoints) + m_charWidth <= m_printRect.width() && CellsFit(m_calendarPoints))
            return;
    // Paper too small for the calendars and the grid even in the smallest type: the grid, which
    // holds the month's entries, keeps the page.
    m_calendarPoints = PointSize() == SmallestPointSize && CellsFit(kNoCalendars) ? kNoCalendars : SmallestPointSize;
}

int MonthlyPlanReport::GridTopAt(int calendarPoints) {
    return calendarPoints == kNoCalendars ? m_printRect.top : BodyTopAt(calendarPoints);
}

bool MonthlyPlanReport::CellsFit(int calendarPoints) {
    const int cellH = (m_printRect.bottom - GridTopAt(calendarPoints)) / 8;
    // A cell holds its day number a line down, a line of entries under it, and the weekday head.
    const platform::TextMetrics entry = MetricsOf(ReportFontAt(kEntryPoints, 400));
    return cellH >= 2 * m_lineHeight + entry.height + entry.externalLeading;
}

void MonthlyPlanReport::DrawTitle() {
    PlaceHeading();
    if (m_calendarPoints == kNoCalendars)
        m_bodyTop = GridTopAt(kNoCalendars);
    else
        m_bodyTop = DrawHeadingCalendars(m_printRect.left, m_month.Plus(-1),
                                         m_printRect.right - CalendarWidthAt(m_calendarPoints), m_month.Plus(1));
}

bool MonthlyPlanReport::FitsPage() {
    PlaceHeading();
    const int cellW = m_printRect.width() / 7;
    return CellsFit(m_calendarPoints) && cellW >= 4 * m_charWidth;
}

void MonthlyPlanReport::DrawBody(int) {
    m_cursorY = m_bodyTop;
    m_dayTextRects.assign(static_cast<std::size_t>(m_dayCount), platform::Rect{});
    const platform::Rect grid{m_printRect.left, m_cursorY, m_printRect.right, m_printRect.bottom};
    m_minimumEntryWidth = 6 * MetricsOf(ReportFontAt(kEntryPoints, 400)).averageCharWidth;
    const int cellW = grid.width() / 7;
    const int cellH = grid.height() / 8;
    if (cellW <= 0 || cellH <= 0)
        return; // the paper leaves no room for a grid below the heading

    const platform::BackgroundMode previousMode = m_dc->setBackgroundMode(platform::BackgroundMode::Transparent);
    const platform::Font previousFont = SelectFont(m_boldFont);
    DrawGridLines(grid, cellW, cellH);
    DrawGridTitle(grid, cellH);
    DrawWeekdayHeads(grid, cellW, cellH);
    DrawDayCells(grid, cellW, cellH);
    DrawEntries();
    SelectFont(previousFont);
    m_dc->setBackgroundMode(previousMode);
}

void MonthlyPlanReport::DrawGridLines(const platform::Rect& grid, int cellW, int cellH) {
    for (int k = 0; k <= 8; ++k) {
        m_dc->moveTo(grid.left, grid.top + k * cellH);
        m_dc->lineTo(grid.left + 7 * cellW, grid.top + k * cellH);
    }
    for (int k = 0; k <= 7; ++k) {
        // The title band has no inner lines.
        m_dc->moveTo(grid.left + k * cellW, k == 0 || k == 7 ? grid.top : grid.top + cellH);
        m_dc->lineTo(grid.left + k * cellW, grid.top + 8 * cellH);
    }
}

void MonthlyPlanReport::DrawGridTitle(const platform::Rect& grid, int cellH) {
    // The title fills about a third of its band: from 6 points up in steps of 2, with a ceiling so
    // that a device that reports no text height cannot keep it growing.
    const QString title = GridTitle();
    int points = 6;
    SelectFont(ReportFontAt(points, 700));
    while (points < MaxGridTitlePoints && m_dc->textExtent(title).height() < cellH / 3) {
        points += 2;
        SelectFont(ReportFontAt(points, 700));
    }
    m_gridTitlePoints = points;
    const QString shown = Elided(title, grid.width());
    const QSize extent = m_dc->textExtent(shown);
    TextOut(grid.left + (grid.width() - extent.width()) / 2, grid.top + cellH - extent.height(), shown);
    SelectFont(m_boldFont);
}

void MonthlyPlanReport::DrawWeekdayHeads(const platform::Rect& grid, int cellW, int cellH) {
    for (int k = 0; k < 7; ++k) {
        const int cellLeft = grid.left + k * cellW;
        // Centred as three average characters, but never starting left of its cell or ending past it.
        const int x = std::max(cellLeft + 1, cellLeft + (cellW - 3 * m_charWidth) / 2);
        TextOutWithin(x, grid.top + 2 * cellH - m_lineHeight, cellLeft + cellW, CalendarNames::GridWeekday(k));
    }
}

void MonthlyPlanReport::DrawDayCells(const platform::Rect& grid, int cellW, int cellH) {
    int column = m_month.FirstWeekday();
    int rowTop = grid.top + 2 * cellH;
    for (int day = 1; day <= m_dayCount; ++day) {
        const int cellLeft = grid.left + column * cellW;
        const QString number = QString::number(day);
        const int numberX = cellLeft + cellW - m_charWidth - Width(number);
        TextOut(numberX, rowTop + m_lineHeight, number);
        // Entries go left of the number; where that leaves too little room, below it across the cell.
        platform::Rect text{cellLeft + m_charWidth, rowTop + m_lineHeight / 2, numberX - m_charWidth / 2,
                            rowTop + cellH - m_lineHeight / 2};
        if (text.width() < m_minimumEntryWidth)
            text = {cellLeft + m_charWidth, rowTop + 2 * m_lineHeight, cellLeft + cellW - m_charWidth,
                    rowTop + cellH - 1};
        if (text.width() > 0 && text.height() > 0)
            m_dayTextRects[static_cast<std::size_t>(day - 1)] = text;
        if (++column == 7) {
            column = 0;
            rowTop += cellH;
        }
    }
}

void MonthlyPlanReport::DrawEntries() {
    SelectFont(ReportFontAt(kEntryPoints, 400));
    const platform::TextMetrics metrics = m_dc->textMetrics();
    const int lh = std::max(1, metrics.height + metrics.externalLeading);
    for (int day = 1; day <= m_dayCount; ++day) {
        const platform::Rect& rect = m_dayTextRects[static_cast<std::size_t>(day - 1)];
        if (rect.width() > 0 && rect.height() >= metrics.height)
            DrawEntryLines(rect.left, rect.top, rect.right, lh, (rect.height() - metrics.height) / lh + 1,
                           m_entries.Texts(day));
    }
}
