#include "reports/PlanGathering.h"

#include "reports/CalendarMonth.h"
#include "reports/OccurrenceCopies.h"

#include <utility>

namespace PlanGathering {

DateTime WeekStart(const DateTime& date) {
    const DateTime day = date.Date();
    if (!day.IsValid())
        return day;
    return day - DateTimeSpan(day.DayOfWeek() - 1);
}

PlanRecords Days(const PimRecords& records, CalendarDate first, CalendarDate last) {
    PlanRecords result;
    if (!first.IsValid() || !last.IsValid() || last < first)
        return result;
    for (const auto& [id, task] : records.Tasks) {
        const CalendarDate due = CalendarDate::OfStoredDate(task.DueDate);
        if (due.IsValid() && due >= first && due <= last)
            result.tasks.push_back(task);
    }
    result.appointments = OccurrenceCopies::Between(records, first, last);
    return result;
}

PlanRecords Week(const PimRecords& records, const DateTime& selected) {
    const CalendarDate first = CalendarDate::Of(WeekStart(selected));
    return Days(records, first, first + 6);
}

PlanRecords Month(const PimRecords& records, const DateTime& selected) {
    const CalendarMonth month = CalendarMonth::Of(selected);
    const CalendarDate first = CalendarDate::FromParts(month.year, month.month, 1);
    // The last month the program holds has no next month to count its days to.
    const CalendarDate next = month.Plus(1).year > month.year ? CalendarDate::FromParts(month.year + 1, 1, 1)
                                                              : CalendarDate::FromParts(month.year, month.month + 1, 1);
    return Days(records, first, next.IsValid() ? next - 1 : CalendarDate::FromParts(month.year, month.month, 31));
}

void Choose(ReportSelection& selection, ReportKind kind, const PimRecords& records, const DateTime& selected) {
    if (kind != ReportKind::WeeklyPlan && kind != ReportKind::MonthlyPlan)
        return;
    PlanRecords gathered = kind == ReportKind::WeeklyPlan ? Week(records, selected) : Month(records, selected);
    selection.Kind = kind;
    selection.SelectedDate = selected;
    selection.Tasks = std::move(gathered.tasks);
    selection.Appointments = std::move(gathered.appointments);
}

} // namespace PlanGathering
