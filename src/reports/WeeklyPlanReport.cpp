#include "reports/WeeklyPlanReport.h"

#include "reports/CalendarNames.h"
#include "reports/PlanGathering.h"

#include <algorithm>
#include <utility>

namespace {

const QString kTitleFace = QStringLiteral("Times New Roman");
constexpr int kBoxesPerPage = 4;
constexpr int kRuleWidth = 4;
constexpr int kHeadingInset = 6; // from a box's rule down to its heading
constexpr int kTitlePoints = 18;
constexpr int kSmallestTitlePoints = 8;

} // namespace

WeeklyPlanReport::WeeklyPlanReport(platform::DrawSurface* dc, const DateTime& weekStart, std::vector<Task> tasks,
                                   std::vector<Appointment> appointments)
    : CalendarReport(dc, std::move(tasks), std::move(appointments)), m_weekStart(PlanGathering::WeekStart(weekStart)),
      m_weekEnd(m_weekStart + DateTimeSpan(6.0)) {
    Paginate();
}

void WeeklyPlanReport::Paginate() {
    m_pageCount = 2;
}

DateTime WeeklyPlanReport::PageFirstDate(int page) const {
    return page == 0 ? m_weekStart : m_weekEnd - DateTimeSpan(2.0);
}

DateTime WeeklyPlanReport::PageLastDate(int page) const {
    return page == 0 ? m_weekStart + DateTimeSpan(3.0) : m_weekEnd;
}

QString WeeklyPlanReport::PageTitle(int page) const {
    const CalendarRecord first = PageFirstDate(page).ToCalendarRecord();
    const CalendarRecord last = PageLastDate(page).ToCalendarRecord();
    if (first.month == last.month)
        return QStringLiteral("%1 %2 - %3").arg(CalendarNames::WeeklyMonth(first.month)).arg(first.day).arg(last.day);
    return QStringLiteral("%1 %2 - %3 %4")
        .arg(CalendarNames::WeeklyMonth(first.month))
        .arg(first.day)
        .arg(CalendarNames::WeeklyMonth(last.month))
        .arg(last.day);
}

void WeeklyPlanReport::PlaceHeading() {
    // The title keeps 18 points and the calendars 8 while both fit beside each other and leave the
    // day boxes room for entries; the calendars give way first, down to 4 points, then the title,
    // down to 8.
    const QString title = PageTitle(m_page);
    for (m_titlePoints = kTitlePoints; m_titlePoints >= kSmallestTitlePoints; m_titlePoints -= 2) {
        const platform::Font previous = SelectFont(FontAt(kTitleFace, m_titlePoints, 700));
        const int titleWidth = Width(title);
        SelectFont(previous);
        for (m_calendarPoints = HeadingCalendarPoints; m_calendarPoints >= SmallestPointSize; --m_calendarPoints) {
            if (titleWidth + CalendarGap() + 2 * CalendarWidthAt(m_calendarPoints) + 12 <= m_printRect.width() &&
                BoxesFit(m_calendarPoints))
                return;
        }
    }
    m_titlePoints = kSmallestTitlePoints;
    m_calendarPoints = SmallestPointSize;
}

void WeeklyPlanReport::DrawTitle() {
    PlaceHeading();
    const int calendarWidth = CalendarWidthAt(m_calendarPoints);
    // The second calendar ends at the print rectangle's right edge, 12 units after the first.
    const int firstX = m_printRect.right - (2 * calendarWidth + 12);
    const int secondX = firstX + calendarWidth + 12;

    const platform::Font previousFont = SelectFont(FontAt(kTitleFace, m_titlePoints, 700));
    const platform::BackgroundMode previousMode = m_dc->setBackgroundMode(platform::BackgroundMode::Opaque);
    const QColor previousColor = m_dc->setBackgroundColor(QColor(192, 192, 192));
    TextOutWithin(m_printRect.left, m_printRect.top, firstX - CalendarGap(), PageTitle(m_page));
    m_dc->setBackgroundColor(previousColor);
    m_dc->setBackgroundMode(previousMode);
    SelectFont(previousFont);

    // Page 0 shows the month before the week's and the week's own; page 1 the two after it.
    const CalendarMonth month = CalendarMonth::Of(m_weekStart);
    if (m_page == 0)
        m_bodyTop = DrawHeadingCalendars(firstX, month.Plus(-1), secondX, month);
    else
        m_bodyTop = DrawHeadingCalendars(firstX, month.Plus(1), secondX, month.Plus(2));
}

bool WeeklyPlanReport::BoxesFit(int calendarPoints) {
    // A box holds its heading and two lines of entries.
    const int boxH = (m_printRect.bottom - BodyTopAt(calendarPoints)) / kBoxesPerPage;
    return boxH >= EntriesOffset(boxH) + kRuleWidth + 2 * m_lineHeight;
}

bool WeeklyPlanReport::FitsPage() {
    PlaceHeading();
    // Each half of a box a few characters wide.
    return BoxesFit(m_calendarPoints) && m_printRect.width() / 2 - 2 * m_charWidth >= 6 * m_charWidth;
}

int WeeklyPlanReport::HeadingPoints(int boxHeight) {
    // 18 points while the day's number leaves room for two lines of entries under it.
    int points = kTitlePoints;
    while (points > SmallestPointSize &&
           kHeadingInset + MetricsOf(FontAt(kTitleFace, points, 700)).height + 2 * m_lineHeight + kRuleWidth >
               boxHeight)
        --points;
    return points;
}

int WeeklyPlanReport::EntriesOffset(int boxHeight) {
    // Two lines into the box, or below its heading where that is taller.
    const int heading = MetricsOf(FontAt(kTitleFace, HeadingPoints(boxHeight), 700)).height;
    return std::max(2 * m_lineHeight, kHeadingInset + heading);
}

void WeeklyPlanReport::DrawBody(int page) {
    m_cursorY = m_bodyTop;
    DrawBoxes(page);
    DrawEntries(page);
}

void WeeklyPlanReport::DrawBoxes(int page) {
    const int boxH = (m_printRect.bottom - m_cursorY) / kBoxesPerPage;
    if (boxH <= 0)
        return; // no room below the heading on this paper
    const platform::Pen previousPen = m_dc->selectPen({});
    for (int k = 0; k < kBoxesPerPage; ++k) {
        const int top = m_cursorY + k * boxH;
        const int box = page * kBoxesPerPage + k;
        m_dc->selectPen({kRuleWidth, Qt::black});
        m_dc->moveTo(m_printRect.left, top);
        m_dc->lineTo(m_printRect.right, top);
        const DateTime date = box < 7 ? m_weekStart + DateTimeSpan(static_cast<double>(box)) : DateTime();
        DrawBoxHeading(top, box, date, HeadingPoints(boxH));
        m_dc->selectPen({});
        DrawWritingLines(top, boxH);
    }
    m_dc->selectPen({kRuleWidth, Qt::black});
    m_dc->moveTo(m_printRect.left, m_printRect.bottom);
    m_dc->lineTo(m_printRect.right, m_printRect.bottom);
    m_dc->selectPen(previousPen);
}

void WeeklyPlanReport::DrawBoxHeading(int top, int box, const DateTime& date, int points) {
    const int y = top + kHeadingInset;
    const platform::Font previous = SelectFont(FontAt(kTitleFace, std::min(8, points), 400));
    // "Day N" keeps its place at the right; the day and its name end before it.
    int right = m_printRect.right;
    if (date.IsValid()) {
        const QString dayOfYear = QStringLiteral("Day %1").arg(date.DayOfYear());
        right = m_printRect.right - Width(dayOfYear);
        TextOut(right, y, dayOfYear);
        right -= m_charWidth;
    }
    SelectFont(FontAt(kTitleFace, points, 700));
    int x = m_printRect.left;
    if (date.IsValid()) {
        const QString day = QString::number(date.Day());
        TextOutWithin(x, y, right, day);
        x += Width(day) + 4;
    }
    SelectFont(FontAt(kTitleFace, std::min(10, points), 700));
    TextOutWithin(x, y, right, CalendarNames::BoxHeading(box));
    SelectFont(previous);
}
void WeeklyPlanReport::DrawWritingLines(int top, int boxHeight) {
    const int lh = m_lineHeight;
    if (lh <= 0)
        return;
    const int count = (boxHeight - 2 * lh) / lh - 1;
    const int halfWidth = m_printRect.width() / 2;
    for (int i = 0; i < count; ++i) {
        const int y = top + kHeadingInset + 3 * lh + i * lh;
        m_dc->moveTo(m_printRect.left + m_charWidth, y);
        m_dc->lineTo(m_printRect.left + halfWidth - m_charWidth, y);
        m_dc->moveTo(m_printRect.left + m_charWidth + halfWidth, y);
        m_dc->lineTo(m_printRect.right - m_charWidth, y);
    }
}

void WeeklyPlanReport::DrawEntries(int page) {
    m_cursorY += m_metrics.externalLeading;
    const int boxH = (m_printRect.bottom - m_cursorY) / kBoxesPerPage;
    const int lh = m_lineHeight;
    if (boxH <= 0 || lh <= 0)
        return;
    // The boxes as drawn, whose headings the entries stay below.
    const int ruledBoxH = (m_printRect.bottom - m_bodyTop) / kBoxesPerPage;
    const int headingHeight = MetricsOf(FontAt(kTitleFace, HeadingPoints(ruledBoxH), 700)).height;
    const int halfWidth = m_printRect.width() / 2;
    const int appointmentsLeft = m_printRect.left + m_charWidth;
    const int appointmentsRight = m_printRect.right - halfWidth - m_charWidth;
    const int tasksLeft = m_printRect.left + m_charWidth + halfWidth;
    const int tasksRight = m_printRect.right - m_charWidth;

    const platform::Font previousFont = SelectFont(m_normalFont);
    const platform::BackgroundMode previousMode = m_dc->setBackgroundMode(platform::BackgroundMode::Transparent);
    const DateTime last = PageLastDate(page);
    for (DateTime date = PageFirstDate(page); date.IsValid() && date <= last; date = date + DateTimeSpan(1.0)) {
        const int box = date.DayOfWeek() - 1 - (page == 1 ? kBoxesPerPage : 0);
        const int ruledTop = m_bodyTop + box * ruledBoxH;
        const int top = std::max(m_cursorY + 2 * lh + box * boxH, ruledTop + kHeadingInset + headingHeight);
        const int lines = (ruledTop + ruledBoxH - kRuleWidth - top) / lh;
        DrawEntryLines(appointmentsLeft, top, appointmentsRight, lh, lines, m_entries.AppointmentTexts(date.Day()));
        DrawEntryLines(tasksLeft, top, tasksRight, lh, lines, m_entries.TaskTexts(date.Day()));
    }
    m_dc->setBackgroundMode(previousMode);
    SelectFont(previousFont);
}
