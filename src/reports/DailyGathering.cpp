#include "reports/DailyGathering.h"

namespace DailyGathering {

std::vector<Task> Tasks(const PimRecords& records, const std::vector<ListedRow>& taskRows) {
    std::vector<Task> tasks;
    for (const ListedRow& row : taskRows) {
        if (const Task* task = records.Tasks.Find(row.ID))
            tasks.push_back(*task);
    }
    return tasks;
}

std::vector<Appointment> Appointments(const PimRecords& records, const std::vector<ListedRow>& appointmentRows) {
    std::vector<Appointment> appointments;
    int previousId = -1;
    bool taken = false;
    for (const ListedRow& row : appointmentRows) {
        if (row.SecondColumn.empty() || (taken && row.ID == previousId))
            continue;
        if (const Appointment* appointment = records.Appointments.Find(row.ID)) {
            appointments.push_back(*appointment);
            previousId = row.ID;
            taken = true;
        }
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
        selection.Appointments = Appointments(records, appointmentRows);
}

} // namespace DailyGathering
