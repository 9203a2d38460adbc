#include "reports/BirthdayNotes.h"

#include "core/Birthdays.h"
#include "core/PimRecords.h"
#include "reports/CalendarMonth.h"
#include "reports/PlanGathering.h"
#include "reports/ReportSelection.h"

namespace BirthdayNotes {

std::vector<BirthdayNote> Between(const PimRecords& records, CalendarDate first, CalendarDate last) {
    std::vector<BirthdayNote> notes;
    for (const BirthdayOccurrence& birthday : BirthdaysBetween(records, first, last))
        notes.push_back({birthday.day, BirthdayText(records, birthday)});
    return notes;
}

void Choose(ReportSelection& selection, const PimRecords& records) {
    const CalendarDate day = CalendarDate::Of(selection.SelectedDate);
    switch (selection.Kind) {
    case ReportKind::DailyPlan:
    case ReportKind::DailyAppointments:
        selection.Birthdays = Between(records, day, day);
        return;
    case ReportKind::WeeklyPlan: {
        const CalendarDate first = CalendarDate::Of(PlanGathering::WeekStart(selection.SelectedDate));
        selection.Birthdays = Between(records, first, first + 6);
        return;
    }
    case ReportKind::MonthlyPlan: {
        const CalendarMonth month = CalendarMonth::Of(selection.SelectedDate);
        selection.Birthdays = Between(records, CalendarDate::FromParts(month.year, month.month, 1),
                                      CalendarDate::FromParts(month.year, month.month, month.DayCount()));
        return;
    }
    default:
        selection.Birthdays.clear();
    }
}

} // namespace BirthdayNotes
