#pragma once

#include <cstdint>
#include <string>

// A signed length of time in days (1.0 = 24 hours).
class DateTimeSpan {
public:
    static constexpr double InvalidValue = -3615898.0;
    static constexpr double MaxValue = 3615897.0;

    DateTimeSpan() = default;
    explicit DateTimeSpan(double days) : m_days(days) {}
    // days + hours/24 + minutes/1440 + seconds/86400, summed from the seconds term up.
    DateTimeSpan(int days, int hours, int minutes, int seconds);

    static DateTimeSpan Invalid() { return DateTimeSpan(InvalidValue); }

    bool IsValid() const { return m_days >= -MaxValue && m_days <= MaxValue; }
    double Days() const { return m_days; }
    // The minutes within the hour: fraction of (span x 24), times 60, truncated toward zero.
    int Minutes() const;

    bool operator==(const DateTimeSpan&) const = default;

private:
    double m_days = InvalidValue;
};

// A calendar record: the parts of a local date-time.
struct CalendarRecord {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0; // 0 = Sunday; ignored on construction
    int milliseconds = 0;
    bool operator==(const CalendarRecord&) const = default;
};

// A point in time as an OLE Automation day count: the whole part counts days from 1899-12-30, the
// fraction is the time of day. Below zero the whole part counts backwards while the fraction still
// counts forward from that day's midnight (-1.25 is 1899-12-29 06:00). Only whole seconds are held:
// a fraction that is not a whole second is rounded to the nearest second when split into parts.
class DateTime {
public:
    static constexpr double InvalidValue = -657435.0;
    static constexpr double MinValue = -657434.0; // 0100-01-01 00:00
    static constexpr double MaxValue = 2958465.0; // 9999-12-31 00:00
    static constexpr int Error = -2147483647 - 1; // the one error result of every component query

    DateTime() = default;
    DateTime(int year, int month, int day, int hour, int minute, int second);
    explicit DateTime(const CalendarRecord& record);

    static DateTime FromDouble(double value);
    static DateTime Now();
    static DateTime Today();
    // Local calendar time of a signed count of seconds since 1970-01-01 00:00:00 UTC; invalid for
    // -1 (the mark older files wrote for a date they could not store) and for a count outside the
    // years DateTime holds. The second moment of an hour that the clocks repeat is remembered, so
    // that ToSeconds gives it back.
    static DateTime FromSeconds(std::int64_t seconds);

    bool SetDateTime(int year, int month, int day, int hour, int minute, int second);

    bool IsValid() const { return m_value >= MinValue && m_value <= MaxValue; }
    double Value() const { return m_value; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;
    int DayOfWeek() const;                   // 1 = Sunday ... 7 = Saturday
    int DayOfYear() const;                   // 1 = January 1st
    CalendarRecord ToCalendarRecord() const; // all zero when the value cannot be split
    // The date alone (00:00:00 of the same calendar day); invalid stays invalid.
    DateTime Date() const;

    // Signed seconds since 1970 of this local time, or -1 when invalid. The answer depends on the
    // value alone: a time the clocks repeat is its first moment (its second when read so by
    // FromSeconds), a time they skip is read with the offset in force before the change.
    // ToSeconds32 also gives -1 before 1970 and past 2038-01-19 03:14:07 UTC.
    std::int64_t ToSeconds() const;
    std::int32_t ToSeconds32() const;

    // strftime of the local calendar parts, at most 4,095 characters; empty when invalid.
    std::string Format(const char* picture) const;
    enum class DateFormat { Short, Long };
    enum class TimeFormat { NoSeconds, HmmT };
    // The user's locale through the platform; empty when invalid.
    std::string FormatDate(DateFormat format) const;
    std::string FormatTime(TimeFormat format) const;

    // Equal when the day counts are: which of two moments a repeated hour meant does not count.
    bool operator==(const DateTime& other) const { return m_value == other.m_value; }
    bool operator!=(const DateTime& other) const { return m_value != other.m_value; }
    bool operator<(const DateTime& other) const;
    bool operator>(const DateTime& other) const;
    bool operator<=(const DateTime& other) const;
    bool operator>=(const DateTime& other) const;

    DateTime operator+(const DateTimeSpan& span) const;
    DateTime operator-(const DateTimeSpan& span) const;
    DateTimeSpan operator-(const DateTime& other) const;

    // The ordering form that runs continuously through zero, and the way back.
    static double Continuous(double stored);
    static double FromContinuous(double continuous);

private:
    explicit DateTime(double value) : m_value(value) {}
    bool Split(CalendarRecord& out, int* dayOfYear = nullptr) const;

    double m_value = InvalidValue;
    // The value stands for the later of the two moments of an hour that the clocks repeat.
    bool m_laterMoment = false;
};
