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

void MonthlyPlanReport::DrawTitle() {
    const int charWidth = HeadingCharWidth();
    m_bodyTop =
        DrawHeadingCalendars(m_printRect.left, m_month.Plus(-1), m_printRect.right - 21 * charWidth, m_month.Plus(1));
}

void MonthlyPlanReport::DrawBody(int) {
    m_cursorY = m_bodyTop;
    m_dayTextRects.assign(static_cast<std::size_t>(m_dayCount), platform::Rect{});
    const platform::Rect grid{m_printRect.left, m_cursorY, m_printRect.right, m_printRect.bottom};
    const int cellW = grid.width() / 7;
    const int cellH = grid.height() / 8;
    if (cellW <= 0 || cellH <= 0)
        return; // the paper leaves no room for a grid below the heading

    const platform::BackgroundMode previousMode = m_dc->setBackgroundMode(platform::BackgroundMode::Transparent);
    const platform::Font previousFont = m_dc->selectFont(m_boldFont);
    DrawGridLines(grid, cellW, cellH);
    DrawGridTitle(grid, cellH);
    DrawWeekdayHeads(grid, cellW, cellH);
    DrawDayCells(grid, cellW, cellH);
    DrawEntries();
    m_dc->selectFont(previousFont);
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
    m_dc->selectFont(ReportFontAt(points, 700));
    while (points < MaxGridTitlePoints && m_dc->textExtent(title).height() < cellH / 3) {
        points += 2;
        m_dc->selectFont(ReportFontAt(points, 700));
    }
    m_gridTitlePoints = points;
    const QSize extent = m_dc->textExtent(title);
    TextOut(grid.left + (grid.width() - extent.width()) / 2, grid.top + cellH - extent.height(), title);
    m_dc->selectFont(m_boldFont);
}

void MonthlyPlanReport::DrawWeekdayHeads(const platform::Rect& grid, int cellW, int cellH) {
    for (int k = 0; k < 7; ++k)
        TextOut(grid.left + k * cellW + (cellW - 3 * m_charWidth) / 2, grid.top + 2 * cellH - m_lineHeight,
                CalendarNames::GridWeekday(k));
}

void MonthlyPlanReport::DrawDayCells(const platform::Rect& grid, int cellW, int cellH) {
    int column = m_month.FirstWeekday();
    int rowTop = grid.top + 2 * cellH;
    for (int day = 1; day <= m_dayCount; ++day) {
        const int cellLeft = grid.left + column * cellW;
        const QString number = QString::number(day);
        const int numberX = cellLeft + cellW - m_charWidth - m_dc->textExtent(number).width();
        TextOut(numberX, rowTop + m_lineHeight, number);
        const platform::Rect text{cellLeft + m_charWidth, rowTop + m_lineHeight / 2, numberX,
                                  rowTop + cellH - m_lineHeight / 2};
        if (text.width() > 0 && text.height() > 0)
            m_dayTextRects[static_cast<std::size_t>(day - 1)] = text;
        if (++column == 7) {
            column = 0;
            rowTop += cellH;
        }
    }
}

void MonthlyPlanReport::DrawEntries() {
    m_dc->selectFont(ReportFontAt(6, 400));
    const platform::TextMetrics metrics = m_dc->textMetrics();
    const int lh = std::max(1, metrics.height + metrics.externalLeading);
    for (int day = 1; day <= m_dayCount; ++day) {
        const platform::Rect& rect = m_dayTextRects[static_cast<std::size_t>(day - 1)];
        const QString text = DayEntries::FirstEntries(m_entries.Text(day), rect.height() / lh + 1);
        if (rect.width() > 0 && rect.height() > 0 && !text.isEmpty())
            m_dc->drawTextWrapped(rect, text);
    }
}
