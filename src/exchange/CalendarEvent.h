#pragma once

#include "core/Appointment.h"
#include "core/DateTime.h"

#include <libical/ical.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

// One VEVENT as the occurrences this program can keep: local times, recurrences expanded.
namespace calendarevent {

struct Occurrence {
    std::string summary;
    bool allDay = false;
    DateTime start;     // local; for an all-day event, its first day at 00:00
    int minutes = 0;    // length by the wall clock
    int alarmLead = -1; // minutes from the alarm to the start; -1 without an alarm
    bool done = false;
};

// The occurrences of `event` whose start lies between the days `from` and `to` (both included):
// DTSTART with DTEND or DURATION; RRULE and RDATE expanded, EXDATE and the instances listed in
// `replaced` (their RECURRENCE-IDs) left out. A time with a TZID is read in that zone (from the
// calendar's VTIMEZONE, else the system's zone database), one in UTC is converted, a floating one
// is taken as local. `calendar` is the VCALENDAR around the event. A single event outside the
// window is given all the same when `windowAll` is false.
std::vector<Occurrence> Occurrences(icalcomponent* event, icalcomponent* calendar, const DateTime& from,
                                    const DateTime& to, const std::vector<icaltimetype>& replaced, bool windowAll);

// An occurrence on the quarter-hour grid as an appointment: the start moves to the nearest quarter
// hour, the end forward from its seventh minute; the alarm keeps its lead of 0 to 60 minutes.
// Nothing, and the reason, for one that lasts past the end of its day.
std::optional<Appointment> ToAppointment(const Occurrence& occurrence, std::string& reason);

// The local date-time of an iCalendar time: converted from its zone or UTC, taken as it is when floating.
// A time that a change to summer time skips is read as RFC 5545 says: with the offset before it.
DateTime LocalTime(icaltimetype time);

// `time`, read from the `kind` property of `component`, in the zone its TZID names where libical
// found none: a Windows zone name, say.
icaltimetype ZonedTime(icalcomponent* component, icalproperty_kind kind, icaltimetype time);

// Adds the TZIDs in `component` and below that name no zone known here (their times are floating).
void AddUnknownZones(icalcomponent* component, icalcomponent* calendar, std::set<std::string>& names);

} // namespace calendarevent
