#include "reports/DailyGathering.h"

#include "core/OccurrenceIndex.h"
#include "reports/OccurrenceCopies.h"

#include <algorithm>
#include <optional>

namespace DailyGathering {

std::vector<Task> Tasks(const PimRecords& records, const std::vector<ListedRow>& taskRows) {
    std::vector<Task> tasks;
    for (const ListedRow& row : taskRows) {
        if (const Task* task = records.Tasks.Find(row.ID))
            tasks.push_back(*task);
    }
    return tasks;
}

std::vector<Appointment> Appointments(const PimRecords& records, const std::vector<ListedRow>& appointmentRows,
                                      CalendarDate day) {
    std::vector<Appointment> appointments;
    // The day's occurrences of series, asked for once the first series is met; each taken once.
    std::optional<std::vector<DayOccurrence>> occurrences;
    int previousId = -1;
    bool taken = false;
    for (const ListedRow& row : appointmentRows) {
        if (row.SecondColumn.empty() || (taken && row.ID == previousId))
            continue;
        const Appointment* appointment = records.Appointments.Find(row.ID);
        if (!appointment)
            continue;
        previousId = row.ID;
        taken = true;
        if (!appointment->Repeats()) {
            appointments.push_back(*appointment);
            continue;
        }
        if (!occurrences)
            occurrences = Occurrences::Between(records, day, day);
        const auto next = std::find_if(occurrences->begin(), occurrences->end(),
                                       [&](const DayOccurrence& listed) { return listed.occurrence.id == row.ID; });
        if (next == occurrences->end()) {
            appointments.push_back(*appointment);
            continue;
        }
        appointments.push_back(OccurrenceCopies::Of(*appointment, next->occurrence));
        occurrences->erase(next);
    }
    return appointments;
}

void Choose(ReportSelection& selection, ReportKind kind, const PimRecords& records, const DateTime& day,
            const std::vector<ListedRow>& taskRows, const std::vector<ListedRow>& appointmentRows) {
    const bool tasks = kind == ReportKind::DailyTasks || kind == ReportKind::DailyPlan;
    const bool appointments = kind == ReportKind::DailyAppointments || kind == ReportKind::DailyPlan;
    if (!tasks && !appointments)
        return;
    selection.Kind = kind;
    selection.SelectedDate = day;
    if (tasks)
        selection.Tasks = Tasks(records, taskRows);
    if (appointments)
        selection.Appointments = Appointments(records, appointmentRows, CalendarDate::Of(day));
}

} // namespace DailyGathering
