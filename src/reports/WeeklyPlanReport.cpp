#include "reports/WeeklyPlanReport.h"

#include "reports/CalendarNames.h"
#include "reports/PlanGathering.h"
#include "reports/SurfaceGuards.h"

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

WeeklyPlanReport::WeeklyPlanReport(platform::DrawSurface* layout, const DateTime& weekStart, std::vector<Task> tasks,
                                   std::vector<Appointment> appointments, const std::vector<BirthdayNote>& birthdays)
    : CalendarReport(layout, std::move(tasks), std::move(appointments),
                     CalendarDate::Of(PlanGathering::WeekStart(weekStart)),
                     CalendarDate::Of(PlanGathering::WeekStart(weekStart)) + 6, birthdays),
      m_weekStart(PlanGathering::WeekStart(weekStart)), m_weekEnd(m_weekStart + DateTimeSpan(6.0)) {
    Repaginate();
}

int WeeklyPlanReport::Paginate() {
    return 2;
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

WeeklyPlanReport::Heading WeeklyPlanReport::PlaceHeading(int page) {
    // The title keeps 18 points and the calendars 8 while both fit beside each other and leave the
    // day boxes room for entries; the calendars give way first, down to 4 points, then the title,
    // down to 8.
    const QString title = PageTitle(page);
    Heading heading;
    for (heading.titlePoints = kTitlePoints; heading.titlePoints >= kSmallestTitlePoints; heading.titlePoints -= 2) {
        int titleWidth = 0;
        {
            FontScope font(*this, LayoutSurface(), FontAt(kTitleFace, heading.titlePoints, 700));
            titleWidth = Width(LayoutSurface(), title);
        }
        for (heading.calendarPoints = HeadingCalendarPoints; heading.calendarPoints >= SmallestPointSize;
             --heading.calendarPoints) {
            if (titleWidth + CalendarGap() + 2 * CalendarWidthAt(heading.calendarPoints) + 12 <=
                    GetPrintRect().width() &&
                BoxesFit(heading.calendarPoints))
                return heading;
        }
    }
    return {kSmallestTitlePoints, SmallestPointSize};
}

void WeeklyPlanReport::DrawTitle(platform::DrawSurface& dc, int page) {
    const Heading heading = PlaceHeading(page);
    const platform::Rect& r = GetPrintRect();
    const int calendarWidth = CalendarWidthAt(heading.calendarPoints);
    // The second calendar ends at the print rectangle's right edge, 12 units after the first.
    const int firstX = r.right - (2 * calendarWidth + 12);
    const int secondX = firstX + calendarWidth + 12;
    {
        FontScope font(*this, dc, FontAt(kTitleFace, heading.titlePoints, 700));
        BackgroundGuard shade(dc, platform::BackgroundMode::Opaque, QColor(192, 192, 192));
        TextOutWithin(dc, r.left, r.top, firstX - CalendarGap(), PageTitle(page));
    }
    // Page 0 shows the month before the week's and the week's own; page 1 the two after it.
    const CalendarMonth month = CalendarMonth::Of(m_weekStart);
    if (page == 0)
        DrawHeadingCalendars(dc, heading.calendarPoints, firstX, month.Plus(-1), secondX, month);
    else
        DrawHeadingCalendars(dc, heading.calendarPoints, firstX, month.Plus(1), secondX, month.Plus(2));
}

bool WeeklyPlanReport::BoxesFit(int calendarPoints) {
    // A box holds its heading and two lines of entries.
    const int boxH = (GetPrintRect().bottom - BodyTopAt(calendarPoints)) / kBoxesPerPage;
    return boxH >= EntriesOffset(boxH) + kRuleWidth + 2 * LineHeight();
}

bool WeeklyPlanReport::FitsPage() {
    // The first page's heading stands for both; each page places its own when it is drawn.
    const Heading heading = PlaceHeading(0);
    // Each half of a box a few characters wide.
    return BoxesFit(heading.calendarPoints) && GetPrintRect().width() / 2 - 2 * CharWidth() >= 6 * CharWidth();
}

int WeeklyPlanReport::HeadingPoints(int boxHeight) {
    // 18 points while the day's number leaves room for two lines of entries under it.
    int points = kTitlePoints;
    while (points > SmallestPointSize &&
           kHeadingInset + MetricsOf(FontAt(kTitleFace, points, 700)).height + 2 * LineHeight() + kRuleWidth >
               boxHeight)
        --points;
    return points;
}

int WeeklyPlanReport::EntriesOffset(int boxHeight) {
    // Two lines into the box, or below its heading where that is taller.
    const int heading = MetricsOf(FontAt(kTitleFace, HeadingPoints(boxHeight), 700)).height;
    return std::max(2 * LineHeight(), kHeadingInset + heading);
}

void WeeklyPlanReport::DrawBody(platform::DrawSurface& dc, int page) {
    const int bodyTop = BodyTopAt(PlaceHeading(page).calendarPoints);
    DrawBoxes(dc, page, bodyTop);
    DrawEntries(dc, page, bodyTop);
}

void WeeklyPlanReport::DrawBoxes(platform::DrawSurface& dc, int page, int bodyTop) {
    const platform::Rect& r = GetPrintRect();
    const int boxH = (r.bottom - bodyTop) / kBoxesPerPage;
    if (boxH <= 0)
        return; // no room below the heading on this paper
    PenGuard pen(dc, {});
    for (int k = 0; k < kBoxesPerPage; ++k) {
        const int top = bodyTop + k * boxH;
        const int box = page * kBoxesPerPage + k;
        pen.Use({kRuleWidth, Qt::black});
        dc.moveTo(r.left, top);
        dc.lineTo(r.right, top);
        const DateTime date = box < 7 ? m_weekStart + DateTimeSpan(static_cast<double>(box)) : DateTime();
        DrawBoxHeading(dc, top, box, date, HeadingPoints(boxH));
        pen.Use({});
        DrawWritingLines(dc, top, boxH);
    }
    pen.Use({kRuleWidth, Qt::black});
    dc.moveTo(r.left, r.bottom);
    dc.lineTo(r.right, r.bottom);
}

void WeeklyPlanReport::DrawBoxHeading(platform::DrawSurface& dc, int top, int box, const DateTime& date, int points) {
    const platform::Rect& r = GetPrintRect();
    const int y = top + kHeadingInset;
    FontScope font(*this, dc, FontAt(kTitleFace, std::min(8, points), 400));
    // "Day N" keeps its place at the right; the day and its name end before it.
    int right = r.right;
    if (date.IsValid()) {
        const QString dayOfYear = QStringLiteral("Day %1").arg(date.DayOfYear());
        right = r.right - Width(dc, dayOfYear);
        dc.textOut(right, y, dayOfYear);
        right -= CharWidth();
    }
    font.Use(FontAt(kTitleFace, points, 700));
    int x = r.left;
    if (date.IsValid()) {
        const QString day = QString::number(date.Day());
        TextOutWithin(dc, x, y, right, day);
        x += Width(dc, day) + 4;
    }
    font.Use(FontAt(kTitleFace, std::min(10, points), 700));
    TextOutWithin(dc, x, y, right, CalendarNames::BoxHeading(box));
}

void WeeklyPlanReport::DrawWritingLines(platform::DrawSurface& dc, int top, int boxHeight) {
    const platform::Rect& r = GetPrintRect();
    const int lh = LineHeight();
    if (lh <= 0)
        return;
    const int count = (boxHeight - 2 * lh) / lh - 1;
    const int halfWidth = r.width() / 2;
    for (int i = 0; i < count; ++i) {
        const int y = top + kHeadingInset + 3 * lh + i * lh;
        dc.moveTo(r.left + CharWidth(), y);
        dc.lineTo(r.left + halfWidth - CharWidth(), y);
        dc.moveTo(r.left + CharWidth() + halfWidth, y);
        dc.lineTo(r.right - CharWidth(), y);
    }
}

void WeeklyPlanReport::DrawEntries(platform::DrawSurface& dc, int page, int bodyTop) {
    const platform::Rect& r = GetPrintRect();
    // The entries begin the font's external leading below the heading.
    const int entriesTop = bodyTop + Metrics().externalLeading;
    const int boxH = (r.bottom - entriesTop) / kBoxesPerPage;
    const int lh = LineHeight();
    if (boxH <= 0 || lh <= 0)
        return;
    // The boxes as drawn, whose headings the entries stay below.
    const int ruledBoxH = (r.bottom - bodyTop) / kBoxesPerPage;
    const int headingHeight = MetricsOf(FontAt(kTitleFace, HeadingPoints(ruledBoxH), 700)).height;
    const int halfWidth = r.width() / 2;
    const int appointmentsLeft = r.left + CharWidth();
    const int appointmentsRight = r.right - halfWidth - CharWidth();
    const int tasksLeft = r.left + CharWidth() + halfWidth;
    const int tasksRight = r.right - CharWidth();

    FontScope font(*this, dc, NormalFont());
    BackgroundGuard transparent(dc, platform::BackgroundMode::Transparent);
    const DateTime last = PageLastDate(page);
    for (DateTime date = PageFirstDate(page); date.IsValid() && date <= last; date = date + DateTimeSpan(1.0)) {
        const int box = date.DayOfWeek() - 1 - (page == 1 ? kBoxesPerPage : 0);
        const int ruledTop = bodyTop + box * ruledBoxH;
        const int top = std::max(entriesTop + 2 * lh + box * boxH, ruledTop + kHeadingInset + headingHeight);
        const int lines = (ruledTop + ruledBoxH - kRuleWidth - top) / lh;
        const CalendarDate day = CalendarDate::Of(date);
        DrawEntryLines(dc, appointmentsLeft, top, appointmentsRight, lh, lines, Entries().AppointmentTexts(day));
        DrawEntryLines(dc, tasksLeft, top, tasksRight, lh, lines, Entries().TaskTexts(day));
    }
}
