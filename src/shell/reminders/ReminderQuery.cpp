#include "ReminderQuery.h"

#include "core/PimRecords.h"

std::vector<int> DueReminders(const std::vector<ListedAppointment>& rows, const PimRecords& records,
                              const DateTime& now) {
    std::vector<int> due;
    const ListedAppointment* previous = nullptr;
    for (const ListedAppointment& row : rows) {
        const bool repeat = previous && previous->id == row.id;
        previous = &row;
        if (!row.hasTime || repeat)
            continue;
        const Appointment* appointment = records.Appointments.Find(row.id);
        if (appointment && appointment->Alarm != 0 && now >= appointment->AlarmTime)
            due.push_back(row.id);
    }
    return due;
}
