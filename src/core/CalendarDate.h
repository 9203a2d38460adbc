#pragma once

#include "DateTime.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

// A day of the calendar, with no time and no zone: what a task's due date, an all-day appointment's
// days and a series' excluded dates mean. Held as the day count of its midnight in DateTime's
// reckoning (1899-12-30 is day 0), so that the conversions to and from DateTime are exact.
class CalendarDate {
public:
    CalendarDate() = default; // invalid

    static CalendarDate FromParts(int year, int month, int day);
    static CalendarDate FromDayNumber(int dayNumber);
    // The calendar day on which a local date-time falls.
    static CalendarDate Of(const DateTime& local);
    // The day a stored date stands for. A date is written as the seconds of its midnight in the zone
    // of the computer that wrote it; read in another zone that midnight shows as an hour or more
    // before or after midnight. The nearest midnight is the day meant (a writer up to 12 hours ahead
    // or behind). Dates entered here are at midnight already and stay on their day.
    static CalendarDate OfStoredDate(const DateTime& stored);
    // "YYYYMMDD" (as iCalendar writes a date, and the document stores the new date fields) or
    // "YYYY-MM-DD"; nothing for anything else or a day that does not exist.
    static std::optional<CalendarDate> Parse(std::string_view text);

    bool IsValid() const { return m_day != kInvalid; }
    int DayNumber() const { return m_day; }
    int Year() const;
    int Month() const;
    int Day() const;
    int DayOfWeek() const; // 1 = Sunday ... 7 = Saturday

    // 00:00 of the day in the computer's zone; invalid stays invalid.
    DateTime Midnight() const;
    std::string Compact() const; // "YYYYMMDD"; empty when invalid
    std::string Iso() const;     // "YYYY-MM-DD"; empty when invalid

    // Days later (or earlier); invalid when the result leaves the years DateTime holds.
    CalendarDate operator+(int days) const;
    CalendarDate operator-(int days) const { return *this + -days; }
    int operator-(const CalendarDate& other) const { return m_day - other.m_day; }
    auto operator<=>(const CalendarDate&) const = default;

private:
    static constexpr int kInvalid = -2147483647 - 1;
    explicit CalendarDate(int day) : m_day(day) {}

    int m_day = kInvalid;
};
