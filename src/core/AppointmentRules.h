#pragma once

#include "Appointment.h"
#include "DateTime.h"

// The quarter-hour grid and the alarm lead times of appointments, as every import and export of
// them (delimited text, iCalendar) applies them.
namespace appointmentrules {

// A start moves to the nearest quarter hour, a minute or more past the half going forward
// (10:07 -> 10:00, 10:08 -> 10:15); an end goes forward from the seventh minute on
// (10:06 -> 10:00, 10:07 -> 10:15). Minutes counted from midnight; the result may be 1440.
int SnapStart(int minuteOfDay);
int SnapEnd(int minuteOfDay);

// Brings a lead time in minutes to a multiple of five: 1 and 2 over go down, 3 and 4 go up.
// Negative values are left as they are.
int RoundAlarmMinutes(int minutes);

// The moment `minuteOfDay` minutes after the start of `day`; 1440 is the next day's midnight.
DateTime AtMinute(const DateTime& day, int minuteOfDay);
// The moment `minutes` earlier, at whole seconds.
DateTime MinutesBefore(const DateTime& moment, int minutes);

// The longest alarm lead an appointment holds: four weeks, in minutes.
inline constexpr int kLongestAlarmLead = 4 * 7 * 24 * 60;
// Whether a lead time in minutes is one an appointment holds: 0 to four weeks.
constexpr bool IsAlarmLead(long long minutes) {
    return minutes >= 0 && minutes <= kLongestAlarmLead;
}
// A lead time brought into that range: below 0 gives 0, beyond four weeks gives four weeks.
constexpr int ClampAlarmLead(long long minutes) {
    return static_cast<int>(minutes < 0 ? 0 : minutes > kLongestAlarmLead ? kLongestAlarmLead : minutes);
}

// The lead time an appointment's alarm has, as the exports write it: whole minutes from the alarm
// to the start, 0 to four weeks; 0 without an alarm.
int AlarmLeadMinutes(const Appointment& appointment);

} // namespace appointmentrules
