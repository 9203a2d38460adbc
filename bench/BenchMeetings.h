#pragma once

#include "core/Appointment.h"
#include "core/DateTime.h"

#include <string>

// The i-th of eight one-hour meetings a day from firstDay on, with gaps between them, so that none
// collides; every other one has an alarm a quarter of an hour before.
inline Appointment BenchMeeting(const DateTime& firstDay, int i, std::string description) {
    const DateTime day = firstDay + DateTimeSpan(static_cast<double>(i / 8));
    const CalendarRecord d = day.ToCalendarRecord();
    const int start = 8 * 60 + (i % 8) * 75;
    Appointment a;
    a.Description = std::move(description);
    a.DueDate = day;
    a.StartTime = DateTime(d.year, d.month, d.day, start / 60, start % 60, 0);
    a.EndTime = DateTime(d.year, d.month, d.day, (start + 60) / 60, (start + 60) % 60, 0);
    a.Alarm = i % 2;
    a.AlarmTime = a.StartTime - DateTimeSpan(0, 0, 15, 0);
    return a;
}
