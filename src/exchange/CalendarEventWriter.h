#pragma once

#include "LocalZone.h"

#include "core/Appointment.h"

#include <libical/ical.h>

#include <set>
#include <string>

namespace calendarevent {

// Appointments as VEVENTs: a series with its RRULE, EXDATEs and RDATEs, a changed occurrence under its
// series' UID with the RECURRENCE-ID of the occurrence it stands in for, all-day appointments as
// dates, zoned ones in their zone. A series without a zone repeats in the computer's zone and is
// written in it; single appointments without one are written in UTC. The zones named are written
// as VTIMEZONEs from libical's built-in zone data. Components returned are the caller's to free.
class EventWriter {
public:
    EventWriter(localzone::ToUtc& utc, const icaltimetype& stamp) : m_utc(utc), m_stamp(stamp) {}

    // The VEVENT of a record; for a changed occurrence `series` is the record of its series, and
    // `uid` the series' UID.
    icalcomponent* Event(const Appointment& appointment, const std::string& uid, const Appointment* series = nullptr);
    // Adds a VTIMEZONE to `calendar` for each zone the events written so far name.
    void AddZones(icalcomponent* calendar) const;

private:
    icalproperty* timeProperty(icalproperty* (*make)(icaltimetype), const DateTime& local, const std::string& zone);
    icalproperty* instanceProperty(icalproperty* (*make)(icaltimetype), const Appointment& series,
                                   CalendarDate original);

    localzone::ToUtc& m_utc;
    icaltimetype m_stamp;
    std::set<std::string> m_zones;
};

// The zone a record's times are written in: its own, or for a series without one the computer's;
// empty for UTC.
std::string WritingZone(const Appointment& appointment);

} // namespace calendarevent
