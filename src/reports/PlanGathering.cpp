#include "reports/PlanGathering.h"

#include "reports/CalendarMonth.h"

#include <utility>

namespace {

// Half-open, so that everything on the last day is inside whatever its time of day. An invalid end
// is a range that runs past the last date the program can hold.
PlanRecords gatherRange(const PimRecords& records, const DateTime& from, const DateTime& to) {
    PlanRecords result;
    if (!from.IsValid())
        return result;
    auto inRange = [&](const DateTime& due) { return due.IsValid() && due >= from && (!to.IsValid() || due < to); };
    for (const auto& [id, task] : records.Tasks)
        if (inRange(task.DueDate))
            result.tasks.push_back(task);
    for (const auto& [id, appointment] : records.Appointments)
        if (inRange(appointment.DueDate))
            result.appointments.push_back(appointment);
    return result;
}

} // namespace

namespace PlanGathering {

DateTime WeekStart(const DateTime& date) {
    const DateTime day = date.Date();
    if (!day.IsValid())
        return day;
    return day - DateTimeSpan(day.DayOfWeek() - 1);
}

PlanRecords Week(const PimRecords& records, const DateTime& selected) {
    const DateTime start = WeekStart(selected);
    return gatherRange(records, start, start + DateTimeSpan(7.0));
}

PlanRecords Month(const PimRecords& records, const DateTime& selected) {
    const CalendarMonth month = CalendarMonth::Of(selected);
    return gatherRange(records, month.FirstDay(), month.Plus(1).FirstDay());
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
