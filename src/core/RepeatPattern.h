#pragma once

#include "CalendarDate.h"

#include <string>
#include <string_view>

// The repeat rules the appointment editor offers, as its "Repeat" section shows them: none, daily,
// weekly on chosen weekdays, monthly on the start's day or on its weekday of the month, or yearly;
// every N of those; ending never, on a date, or after a number of times. It reads and writes RFC 5545
// RRULE text; a rule with parts beyond these is left as it is (see Fits).
struct RepeatPattern {
    enum class Frequency { None, Daily, Weekly, Monthly, Yearly };
    enum class MonthlyBy { DayOfMonth, WeekdayOfMonth };
    enum class Ending { Never, OnDate, AfterCount };

    Frequency frequency = Frequency::None;
    int interval = 1;      // every N days, weeks, months or years
    unsigned weekdays = 0; // weekly: bit (d - 1) for day of week d, 1 = Sunday ... 7 = Saturday
    MonthlyBy monthlyBy = MonthlyBy::DayOfMonth;
    Ending ending = Ending::Never;
    CalendarDate until; // the last day an occurrence may fall on
    int count = 10;     // occurrences, the first included
    // False when the rule read had parts the pattern cannot show: writing the pattern back would
    // lose them, so the editor keeps the stored rule unless the user changes the repeat.
    bool fits = true;

    // The pattern of a stored rule for a series starting on `start`. `allDay` and `zone` say how an
    // UNTIL given in UTC reads, as for RepeatRule.
    static RepeatPattern FromRule(std::string_view rule, CalendarDate start, bool allDay = false,
                                  const std::string& zone = {});
    // The rule text; empty for None. A weekly pattern without weekdays repeats on the start's.
    std::string ToRule(CalendarDate start, bool allDay = false, const std::string& zone = {}) const;

    // The weekday of the month `start` falls on: 1 to 4, or -1 for the last (its fifth).
    static int WeekOfMonth(CalendarDate start);
    static bool HasWeekday(unsigned weekdays, int dayOfWeek) { return (weekdays >> (dayOfWeek - 1)) & 1U; }

    bool operator==(const RepeatPattern&) const = default;
};

// The UNTIL part that ends a series with the occurrences of `last`: a date for an all-day series,
// otherwise the UTC moment of that day's end in the series' zone (the computer's when empty), as
// RFC 5545 asks of a series with a start in a zone.
std::string RepeatUntil(CalendarDate last, bool allDay, const std::string& zone);

// A rule's text with its end replaced: ending with the occurrences of `last` (UNTIL), or after
// `count` occurrences; every other part stays as written.
std::string RuleEndingOn(std::string_view rule, CalendarDate last, bool allDay, const std::string& zone);
std::string RuleCounting(std::string_view rule, int count);
