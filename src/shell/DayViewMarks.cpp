#include "BirthdaySetting.h"
#include "DayView.h"

#include "core/Birthdays.h"
#include "core/Occurrence.h"
#include "docfile/PimDocument.h"
#include "platform/TextCodec.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

// The calendar shows six weeks: the month, and days of the months on either side.
constexpr int kDaysShownBefore = 7;
constexpr int kDaysShownAfter = 14;

CalendarDate calendarDateOf(const QDate& date) {
    return CalendarDate::FromParts(date.year(), date.month(), date.day());
}

} // namespace

void DayView::OnGoToToday() {
    m_controller.GoToToday();
    m_calendar->setFocus(Qt::OtherFocusReason);
}

// A day with occurrences has a tinted background, taken from the palette so that it shows under
// light and dark themes alike; today is bold and underlined as well.
QTextCharFormat DayView::dayFormat(const QDate& date) const {
    QTextCharFormat format;
    if (date == m_markedToday) {
        format.setFontWeight(QFont::Bold);
        format.setFontUnderline(true);
    }
    if (std::binary_search(m_occurrenceDays.begin(), m_occurrenceDays.end(), date)) {
        const QPalette palette = m_calendar->palette();
        const QColor base = palette.color(QPalette::Base);
        const QColor highlight = palette.color(QPalette::Highlight);
        const auto mix = [](int a, int b) { return (a * 2 + b) / 3; };
        format.setBackground(QColor(mix(base.red(), highlight.red()), mix(base.green(), highlight.green()),
                                    mix(base.blue(), highlight.blue())));
    }
    return format;
}

// Worked out again when another month is shown or the document changed; choosing another day of
// the same month costs nothing.
void DayView::markOccurrenceDays() {
    const QDate page(m_calendar->yearShown(), m_calendar->monthShown(), 1);
    if (page == m_markedPage && m_controller.Generation() == m_markedGeneration)
        return;
    m_markedPage = page;
    m_markedGeneration = m_controller.Generation();

    const QList<QDate> previous = std::exchange(m_occurrenceDays, {});
    const CalendarDate first = calendarDateOf(page) - kDaysShownBefore;
    const CalendarDate last = calendarDateOf(page.addMonths(1)) + (kDaysShownAfter - 1);
    if (first.IsValid() && last.IsValid()) {
        CalendarDate seen;
        for (const DayOccurrence& listed :
             m_controller.Occurrences().Between(m_controller.Document().Records(), first, last)) {
            if (listed.day == seen)
                continue;
            seen = listed.day;
            m_occurrenceDays.append(QDate(seen.Year(), seen.Month(), seen.Day()));
        }
        if (BirthdaySetting::Shown()) {
            for (const BirthdayOccurrence& birthday : BirthdaysBetween(m_controller.Document().Records(), first, last))
                m_occurrenceDays.append(QDate(birthday.day.Year(), birthday.day.Month(), birthday.day.Day()));
            std::sort(m_occurrenceDays.begin(), m_occurrenceDays.end());
            m_occurrenceDays.erase(std::unique(m_occurrenceDays.begin(), m_occurrenceDays.end()),
                                   m_occurrenceDays.end());
        }
    }
    for (const QDate& date : previous)
        if (!std::binary_search(m_occurrenceDays.begin(), m_occurrenceDays.end(), date))
            m_calendar->setDateTextFormat(date, dayFormat(date));
    for (const QDate& date : std::as_const(m_occurrenceDays))
        m_calendar->setDateTextFormat(date, dayFormat(date));
}

void DayView::showBirthdays() {
    QStringList shown;
    if (BirthdaySetting::Shown()) {
        const CalendarDate day = CalendarDate::Of(m_controller.CurrentDate());
        const PimRecords& records = m_controller.Document().Records();
        for (const BirthdayOccurrence& birthday : BirthdaysBetween(records, day, day))
            shown << platform::toQString(BirthdayText(records, birthday));
    }
    // Several on one day: the first, and how many more the tip lists.
    m_birthdayLine->setText(shown.size() > 1 ? QStringLiteral("%1, +%2 more").arg(shown.first()).arg(shown.size() - 1)
                                             : shown.value(0));
    m_birthdayLine->setToolTip(shown.join(QStringLiteral("\n")));
    m_birthdayLine->setAccessibleDescription(shown.join(QStringLiteral("; ")));
    m_birthdayLine->setVisible(!shown.isEmpty());
}

void DayView::RefreshBirthdays() {
    m_markedGeneration = -1;
    markOccurrenceDays();
    showBirthdays();
}
