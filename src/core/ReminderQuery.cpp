#include "ReminderQuery.h"

#include "PimRecords.h"
#include "ReminderState.h"

#include <algorithm>

std::vector<DueAlarm> DueAlarms(const PimRecords& records, const ReminderState& state, const DateTime& now) {
    std::vector<DueAlarm> due;
    for (const auto& [id, appointment] : records.Appointments) {
        const std::optional<DateTime> moment = state.RingsAt(appointment);
        if (moment && now >= *moment)
            due.push_back({id, *moment});
    }
    std::stable_sort(due.begin(), due.end(), [](const DueAlarm& a, const DueAlarm& b) { return a.moment < b.moment; });
    return due;
}

bool IsOver(const Appointment& appointment, const DateTime& now) {
    return now > appointment.StartTime && now > appointment.EndTime;
}
