#pragma once

#include "CalendarDate.h"
#include "DateTime.h"
#include "RepeatSieve.h"

#include <string>
#include <string_view>
#include <vector>

// A repeat rule in RFC 5545 RRULE form with the start it repeats from, expanded by libical's
// recurrence iterator. The start and the occurrences are wall-clock times of the series' own zone
// (CalendarRecord parts; the day of the week is not used); each occurrence is known by its date.
class RepeatRule {
public:
    // Whether libical reads the text as a rule this program repeats by: daily, weekly, monthly or
    // yearly, with any of RFC 5545's parts. Rules that repeat within a day, and text libical cannot
    // read, are kept in the record but leave it a single appointment.
    static bool IsUsable(std::string_view rule);

    // `untilZone` says how an UNTIL given in UTC reads in the series' wall-clock time: the IANA name of
    // the series' zone, or empty for the computer's zone.
    RepeatRule(std::string rule, const CalendarRecord& start, bool allDay, std::string untilZone = {});

    bool IsUsable() const { return m_usable; }
    // The wall-clock starts of the occurrences whose dates lie from `from` to `to` (both included),
    // in order, at most one a date. The start itself is always the first occurrence, whether the
    // rule would give it or not; COUNT counts it.
    std::vector<CalendarRecord> Between(CalendarDate from, CalendarDate to) const;
    // Whether the rule ends (COUNT or UNTIL), and the date of its last occurrence when it does.
    // Nothing beyond the first 100,000 occurrences is looked at: a rule counting more runs on.
    CalendarDate LastDate() const { return m_last; }

private:
    CalendarDate lastDate() const;
    std::vector<CalendarRecord> expand(CalendarDate from, CalendarDate to) const;

    std::string m_rule;
    CalendarRecord m_start;
    bool m_allDay;
    std::string m_untilZone;
    bool m_usable = false;
    // Worked out once: the last date, and which dates the rule can give at all (a short range is
    // answered from these, most often without expanding the rule).
    CalendarDate m_last;
    bool m_hasUntil = false;
    RepeatSieve m_sieve;
};
