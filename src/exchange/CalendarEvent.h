#pragma once

#include "core/Appointment.h"
#include "core/DateTime.h"

#include <libical/ical.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

// VEVENTs as appointment records: a single event as one appointment, a series as one appointment
// with its rule and exclusions, and each of its changed occurrences as a record of its own.
namespace calendarevent {

// The VEVENTs of one UID in a calendar: the event or series itself, and the components that stand
// in for some of its occurrences (RECURRENCE-ID). `main` is null for changed occurrences whose
// series is not in the calendar.
struct EventGroup {
    icalcomponent* main = nullptr;
    std::vector<icalcomponent*> changed;
};
// In the order the events first appear; events without a UID are groups of their own.
std::vector<EventGroup> GroupEvents(icalcomponent* calendar);

// What one group holds as records. Times are the computer's local times to the minute; a zoned
// event keeps its zone's IANA name (Windows names mapped); an all-day event is whole days.
struct EventRecords {
    std::optional<Appointment> main; // nothing when the event holds no time (then `reason` says why)
    // Changed occurrences, OriginalDate set; the caller ties them to the series' ID once it has one.
    std::vector<Appointment> changed;
    // Dates an RDATE adds, which a rule cannot hold: single appointments alike the series.
    std::vector<Appointment> extra;
    std::vector<std::string> notes; // what was kept otherwise than the file says
    std::string reason;
};
EventRecords Read(const EventGroup& group, icalcomponent* calendar);

// One VEVENT as an appointment with its rule, if any; nothing, and the reason, without a start.
std::optional<Appointment> ReadEvent(icalcomponent* event, icalcomponent* calendar, std::string& reason,
                                     std::vector<std::string>* notes = nullptr);

// The local date-time of an iCalendar time: converted from its zone or UTC, taken as it is when floating.
// A time that a change to summer time skips is read as RFC 5545 says: with the offset before it.
DateTime LocalTime(icaltimetype time);

// `time`, read from the `kind` property of `component`, in the zone its TZID names where libical
// found none: a Windows zone name, say.
icaltimetype ZonedTime(icalcomponent* component, icalproperty_kind kind, icaltimetype time);

// The date that names an occurrence of a series repeating in `zone` (the computer's when empty), for
// a RECURRENCE-ID, EXDATE or RDATE `time` read from `property` of a component of `calendar`.
CalendarDate SeriesDate(icaltimetype time, icalproperty* property, icalcomponent* calendar, const std::string& zone);

// Adds the TZIDs in `component` and below that name no zone known here (their times are floating).
void AddUnknownZones(icalcomponent* component, icalcomponent* calendar, std::set<std::string>& names);

} // namespace calendarevent
