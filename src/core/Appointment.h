#pragma once

#include "CalendarDate.h"
#include "DateTime.h"

#include <string>
#include <vector>

// An entry in the appointment book: a timed appointment on a day, or whole days, once or repeating,
// with an optional reminder. The fields after Done are optional: their defaults mean a single
// appointment in the computer's zone, as files without them describe.
struct Appointment {
    virtual ~Appointment() = default;
    Appointment()
        : DueDate(DateTime::Now()), StartTime(DateTime::Now()), EndTime(DateTime::Now()), AlarmTime(DateTime::Now()) {}
    Appointment(const Appointment&) = default;
    Appointment& operator=(const Appointment&) = default;
    Appointment(Appointment&&) noexcept = default;
    Appointment& operator=(Appointment&&) noexcept = default;
    bool operator==(const Appointment&) const = default;

    bool Repeats() const { return !RRule.empty() || !RDates.empty(); }
    bool IsChangedOccurrence() const { return SeriesID != 0; }

    int ID = 0;
    std::string Description;
    DateTime DueDate; // the first (or only) day
    // Start and end, full date-times; the end may lie on a later day. For a series, the first
    // occurrence's. Not used by an all-day appointment.
    DateTime StartTime;
    DateTime EndTime;
    unsigned char Alarm = 0;
    // StartTime minus the lead time (0 minutes to 4 weeks); meaningful only while Alarm is set. Each
    // occurrence of a series rings the same lead before its own start.
    DateTime AlarmTime;
    unsigned char Done = 0;

    // Whole days from DueDate's day to EndDate (the last day, included; invalid for one day).
    unsigned char AllDay = 0;
    CalendarDate EndDate;
    // The IANA zone (e.g. "America/New_York") in which the times are meant: a series repeats at the
    // same time of day there. Empty: the computer's zone, wherever it is.
    std::string TimeZone;
    // The repeat rule in RFC 5545 form ("FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=20270630T235959Z"); empty
    // for a single appointment. ExDates leaves occurrences out, by their original date; RDates adds
    // occurrences on other dates, at the first one's time of day (a series may have them alone).
    std::string RRule;
    std::vector<CalendarDate> ExDates;
    std::vector<CalendarDate> RDates;
    // A changed occurrence (moved, renamed, its reminder turned off): a record of its own standing in
    // for the occurrence of series SeriesID on OriginalDate.
    int SeriesID = 0;
    CalendarDate OriginalDate;
};
