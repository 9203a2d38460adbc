#include "ReminderQuery.h"

#include "PimRecords.h"
#include "ReminderState.h"

#include <algorithm>
#include <set>

namespace {

// The longest lead an alarm can have, in days: occurrences further ahead are not looked at.
constexpr double kLongestLeadDays = 28;

} // namespace

std::vector<DueAlarm> DueAlarms(const PimRecords& records, ReminderState& state, const DateTime& now) {
    std::vector<DueAlarm> due;
    double leadDays = 0;
    for (const auto& [id, appointment] : records.Appointments) {
        if (appointment.Repeats()) {
            const DateTimeSpan lead = appointment.StartTime - appointment.AlarmTime;
            if (appointment.Alarm && lead.IsValid())
                leadDays = std::clamp(lead.Days(), leadDays, kLongestLeadDays);
            continue;
        }
        const std::optional<DateTime> moment = state.RingsAt(appointment);
        if (moment && now >= *moment)
            due.push_back({id, CalendarDate(), *moment, appointment.StartTime, appointment.EndTime});
    }
    // Occurrences of series: those under way or about to start within the longest lead.
    std::set<OccurrenceKey> seen;
    const CalendarDate today = CalendarDate::Of(now);
    const CalendarDate last = CalendarDate::Of(now + DateTimeSpan(leadDays));
    for (const DayOccurrence& listed : state.Occurrences().Between(records, today, last.IsValid() ? last : today)) {
        const Occurrence& o = listed.occurrence;
        // Single appointments, changed occurrences among them, were looked at above.
        if (o.id != o.seriesId || !o.alarmed || !(now < o.end) || !seen.insert(KeyOf(o)).second)
            continue;
        if (const Appointment* series = records.Appointments.Find(o.id); !series || !series->Repeats())
            continue;
        const std::optional<DateTime> moment = state.RingsAt(KeyOf(o), o.alarm);
        if (moment && now >= *moment)
            due.push_back({o.id, o.original, *moment, o.start, o.end});
    }
    std::stable_sort(due.begin(), due.end(), [](const DueAlarm& a, const DueAlarm& b) {
        if (a.moment != b.moment)
            return a.moment < b.moment;
        return a.Key() < b.Key();
    });
    return due;
}

bool IsOver(const Appointment& appointment, const DateTime& now) {
    return now > appointment.StartTime && now > appointment.EndTime;
}

bool IsOver(const DueAlarm& alarm, const DateTime& now) {
    return now > alarm.start && now > alarm.end;
}
