#include "reports/WeeklyPlanReport.h"

#include "reports/CalendarNames.h"
#include "reports/PlanGathering.h"

#include <utility>

namespace {

const QString kTitleFace = QStringLiteral("Times New Roman");
constexpr int kBoxesPerPage = 4;
constexpr int kRuleWidth = 4;
constexpr int kHeadingInset = 6; // from a box's rule down to its heading

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

void WeeklyPlanReport::DrawTitle() {
    const platform::Font previousFont = m_dc->selectFont(FontAt(kTitleFace, 18, 700));
    const platform::BackgroundMode previousMode = m_dc->setBackgroundMode(platform::BackgroundMode::Opaque);
    const QColor previousColor = m_dc->setBackgroundColor(QColor(192, 192, 192));
    TextOut(m_printRect.left, m_printRect.top, PageTitle(m_page));
    m_dc->setBackgroundColor(previousColor);
    m_dc->setBackgroundMode(previousMode);
    m_dc->selectFont(previousFont);

    // Page 0 shows the month before the week's and the week's own; page 1 the two after it.
    const CalendarMonth month = CalendarMonth::Of(m_weekStart);
    const int charWidth = HeadingCharWidth();
    const int firstX = m_printRect.right - (2 * 21 * charWidth + 2);
    const int secondX = firstX + 21 * charWidth + 12;
    if (m_page == 0)
        m_bodyTop = DrawHeadingCalendars(firstX, month.Plus(-1), secondX, month);
    else
        m_bodyTop = DrawHeadingCalendars(firstX, month.Plus(1), secondX, month.Plus(2));
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
        DrawBoxHeading(top, box, date);
        m_dc->selectPen({});
        DrawWritingLines(top, boxH);
    }
    m_dc->selectPen({kRuleWidth, Qt::black});
    m_dc->moveTo(m_printRect.left, m_printRect.bottom);
    m_dc->lineTo(m_printRect.right, m_printRect.bottom);
    m_dc->selectPen(previousPen);
}

void WeeklyPlanReport::DrawBoxHeading(int top, int box, const DateTime& date) {
    const int y = top + kHeadingInset;
    const platform::Font previous = m_dc->selectFont(FontAt(kTitleFace, 18, 700));
    int x = m_printRect.left;
    if (date.IsValid()) {
        const QString day = QString::number(date.Day());
        TextOut(x, y, day);
        x += m_dc->textExtent(day).width() + 4;
    }
    m_dc->selectFont(FontAt(kTitleFace, 10, 700));
    TextOut(x, y, CalendarNames::BoxHeading(box));
    if (date.IsValid()) {
        m_dc->selectFont(FontAt(kTitleFace, 8, 400));
        const QString dayOfYear = QStringLiteral("Day %1").arg(date.DayOfYear());
        TextOut(m_printRect.right - m_dc->textExtent(dayOfYear).width(), y, dayOfYear);
    }
    m_dc->selectFont(previous);
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
    const int areaHeight = ((boxH - 2 * lh) / lh) * lh;
    const int halfWidth = m_printRect.width() / 2;
    const int appointmentsLeft = m_printRect.left + m_charWidth;
    const int appointmentsRight = m_printRect.right - halfWidth - m_charWidth;
    const int tasksLeft = m_printRect.left + m_charWidth + halfWidth;
    const int tasksRight = m_printRect.right - m_charWidth;
    if (areaHeight <= 0)
        return;

    const platform::Font previousFont = m_dc->selectFont(m_normalFont);
    const platform::BackgroundMode previousMode = m_dc->setBackgroundMode(platform::BackgroundMode::Transparent);
    const int entriesShown = areaHeight / lh + 1;
    const DateTime last = PageLastDate(page);
    for (DateTime date = PageFirstDate(page); date.IsValid() && date <= last; date = date + DateTimeSpan(1.0)) {
        const int box = date.DayOfWeek() - 1 - (page == 1 ? kBoxesPerPage : 0);
        const int top = m_cursorY + 2 * lh + box * boxH;
        const QString appointments = DayEntries::FirstEntries(m_entries.AppointmentText(date.Day()), entriesShown);
        if (!appointments.isEmpty() && appointmentsRight > appointmentsLeft)
            m_dc->drawTextWrapped({appointmentsLeft, top, appointmentsRight, top + areaHeight}, appointments);
        const QString tasks = DayEntries::FirstEntries(m_entries.TaskText(date.Day()), entriesShown);
        if (!tasks.isEmpty() && tasksRight > tasksLeft)
            m_dc->drawTextWrapped({tasksLeft, top, tasksRight, top + areaHeight}, tasks);
    }
    m_dc->setBackgroundMode(previousMode);
    m_dc->selectFont(previousFont);
}
