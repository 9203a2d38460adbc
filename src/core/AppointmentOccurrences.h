#pragma once

#include "Appointment.h"
#include "Occurrence.h"
#include "RepeatRule.h"

#include <optional>
#include <vector>

// The occurrences of one appointment record. A single appointment (or a series whose rule cannot be
// used) has one: timed from StartTime to EndTime, or all day from DueDate's day to EndDate. A series
// repeats that first occurrence by its rule and on its added dates, at the same wall-clock time in
// its zone, leaving out its excluded dates; each occurrence lasts as long as the first and rings its
// alarm the same lead before its start.
class AppointmentOccurrences {
public:
    explicit AppointmentOccurrences(const Appointment& appointment);

    bool Repeats() const { return m_repeats; }
    // Whether the record gives the same occurrences as the one this was made from (only its
    // description, Done flag or ID differs).
    bool SameOccurrences(const Appointment& appointment) const;

    // The days, in the computer's zone, outside which it has no occurrence; the last is invalid for a
    // series that runs on.
    CalendarDate FirstDay() const { return m_first.firstDay; }
    CalendarDate LastDay() const { return m_lastDay; }
    // The first occurrence, as the record itself holds it.
    const Occurrence& First() const { return m_first; }

    // The occurrences that cover any day from `from` to `to` (the computer's zone), by start.
    std::vector<Occurrence> Covering(CalendarDate from, CalendarDate to) const;
    // The occurrence on an original date of the series, unless the rule gives none there or it is
    // excluded. A single appointment has none.
    std::optional<Occurrence> OnOriginalDate(CalendarDate original) const;

    // The single occurrence of a record, as a series' first or a single appointment's only one.
    static Occurrence Single(const Appointment& appointment);

private:
    Occurrence occurrenceAt(const CalendarRecord& wallStart, CalendarDate original) const;
    bool excluded(CalendarDate original) const;
    // The wall-clock starts from the rule (or the first alone) and the added dates, by date, one a date.
    std::vector<CalendarRecord> wallsBetween(CalendarDate from, CalendarDate to) const;

    Appointment m_record; // the fields the occurrences depend on (all but the description)
    std::string m_zone;   // the zone a series repeats in; empty for the computer's
    Occurrence m_first;
    std::optional<RepeatRule> m_rule;
    bool m_repeats = false;
    CalendarRecord m_wallStart{}; // the first occurrence's start by the clocks of the series' zone
    CalendarDate m_lastDay;
    int m_spanDays = 0; // how many days past its start's an occurrence may end
    double m_durationDays = 0;
    std::int64_t m_durationSeconds = 0;
    double m_leadDays = 0;
    std::vector<CalendarDate> m_exDates; // sorted
    std::vector<CalendarDate> m_rDates;  // sorted
};

// The record of a changed occurrence standing in for one occurrence of a series: the series'
// description and reminder at that occurrence's times, tied to the series and the occurrence's
// original date, repeating no more. It has no ID yet.
Appointment ChangedOccurrence(const Appointment& series, const Occurrence& occurrence);
