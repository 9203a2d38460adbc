#pragma once

#include "core/DateTime.h"

// A month of a year, the unit the calendar reports step in. Stepping wraps across years in both
// directions, and a month's length is counted from its first day to the next month's first day, so
// leap years come from the date arithmetic rather than from a table.
struct CalendarMonth {
    int year = 0;
    int month = 0; // 1 = January

    static CalendarMonth Of(const DateTime& date);

    // The month `months` later (earlier when negative).
    CalendarMonth Plus(int months) const;
    DateTime FirstDay() const;
    // 28 to 31; 0 when the month lies outside the dates the program can hold.
    int DayCount() const;
    // Column of the first day in a week that starts on Sunday (Sunday = 0).
    int FirstWeekday() const;

    bool operator==(const CalendarMonth&) const = default;
};
