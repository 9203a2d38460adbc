#pragma once

#include "CalendarDate.h"
#include "DateTime.h"

#include <cstdint>
#include <vector>

struct icalrecurrencetype;

// The dates a repeat rule can give, read from its parts without expanding it: the weekdays, days of
// the month, months and period (every N days, weeks, months or years) its occurrences must have.
// Every date the rule gives passes; most dates it does not give are turned away at the cost of a
// few comparisons, which is what lets a day or a month be asked of thousands of series at once.
// For the plain rules calendars hold (every N days; weekly on some weekdays; monthly on a day or
// on the nth weekday; yearly on the start's date) it is exact: a date from the start on passes
// exactly when the rule gives it, apart from where COUNT or UNTIL ends the rule.
class RepeatSieve {
public:
    RepeatSieve() = default; // lets every date pass
    RepeatSieve(const icalrecurrencetype& rule, const CalendarRecord& start);

    // `parts` are the date's year, month, day and day of the week (0 = Sunday), as the caller
    // walking through dates keeps them.
    bool Passes(CalendarDate date, const CalendarRecord& parts) const;
    // The parts of the next day.
    static void StepDay(CalendarRecord& parts);
    bool Exact() const { return m_exact; }

private:
    enum class Period { None, Days, Weeks, Months, Years };
    struct NthWeekday {
        int weekday; // 0 = Sunday
        int nth;     // 1 = first of the month ... -1 = last
    };

    bool m_all = true;
    bool m_exact = false;
    CalendarDate m_start;
    CalendarRecord m_startParts;
    std::uint8_t m_weekdays = 0x7f; // bit 0 = Sunday
    std::uint16_t m_months = 0xfff; // bit 0 = January
    bool m_anyMonthDay = true;
    std::uint32_t m_monthDays = 0;        // bit 0 = the 1st
    std::uint32_t m_monthDaysFromEnd = 0; // bit 0 = the last
    std::vector<NthWeekday> m_nthWeekdays;
    Period m_period = Period::None;
    int m_interval = 1;
    int m_weekStart = 1; // 0 = Sunday
};
