#include "AppointmentRules.h"

#include <cmath>

namespace appointmentrules {

int SnapStart(int minuteOfDay) {
    const int r = minuteOfDay % 15;
    return r <= 7 ? minuteOfDay - r : minuteOfDay + 15 - r;
}

int SnapEnd(int minuteOfDay) {
    const int r = minuteOfDay % 15;
    return r <= 6 ? minuteOfDay - r : minuteOfDay + 15 - r;
}

int RoundAlarmMinutes(int minutes) {
    if (minutes < 0)
        return minutes;
    const int r = minutes % 5;
    if (r <= 2)
        return minutes - r;
    return minutes > 2147483647 - 5 ? minutes - r : minutes + 5 - r;
}

DateTime AtMinute(const DateTime& day, int minuteOfDay) {
    const CalendarRecord date = day.ToCalendarRecord();
    if (!day.IsValid())
        return DateTime();
    if (minuteOfDay < 1440)
        return DateTime(date.year, date.month, date.day, minuteOfDay / 60, minuteOfDay % 60, 0);
    // The calendar parts of the next day, so that the value is exactly what the editors store.
    const DateTime next = (DateTime(date.year, date.month, date.day, 0, 0, 0) + DateTimeSpan(1.0)).Date();
    return next.IsValid() ? AtMinute(next, minuteOfDay - 1440) : DateTime();
}

DateTime MinutesBefore(const DateTime& moment, int minutes) {
    const DateTime shifted = moment - DateTimeSpan(0, 0, minutes, 0);
    return shifted.IsValid() ? DateTime(shifted.ToCalendarRecord()) : shifted;
}

int AlarmLeadMinutes(const Appointment& appointment) {
    if (!appointment.Alarm)
        return 0;
    const DateTimeSpan lead = appointment.StartTime - appointment.AlarmTime;
    if (!lead.IsValid())
        return 0;
    // Whole seconds first: a lead of 15 minutes must not come out as 14.999... and lose a minute.
    const double seconds = std::round(lead.Days() * 86400.0);
    const double minutes = std::trunc(seconds / 60.0);
    return minutes > kLongestAlarmLead ? kLongestAlarmLead : ClampAlarmLead(static_cast<long long>(minutes));
}

} // namespace appointmentrules
