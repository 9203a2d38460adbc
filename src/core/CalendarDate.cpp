#include "CalendarDate.h"

#include <cmath>
#include <cstdio>

namespace {

bool inRange(double day) {
    return day >= DateTime::MinValue && day <= DateTime::MaxValue;
}

bool digits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

CalendarDate CalendarDate::FromParts(int year, int month, int day) {
    const DateTime midnight(year, month, day, 0, 0, 0);
    return midnight.IsValid() ? CalendarDate(static_cast<int>(midnight.Value())) : CalendarDate();
}

CalendarDate CalendarDate::FromDayNumber(int dayNumber) {
    return inRange(dayNumber) ? CalendarDate(dayNumber) : CalendarDate();
}

CalendarDate CalendarDate::Of(const DateTime& local) {
    if (!local.IsValid())
        return {};
    // The day DateTime's own split gives: the whole part toward zero, and the next day when the
    // time rounds to a full 24 hours. Its midnight's day count is that whole number.
    const double value = local.Value();
    double whole = value >= 0 ? std::floor(value) : std::ceil(value);
    if (std::round(std::fabs(value - whole) * 86400.0) >= 86400.0)
        whole += 1;
    return FromDayNumber(static_cast<int>(whole));
}

CalendarDate CalendarDate::OfStoredDate(const DateTime& stored) {
    if (!stored.IsValid())
        return {};
    // Whole continuous days are midnights; a time from noon on belongs to the next midnight.
    const double nearest = std::floor(DateTime::Continuous(stored.Value()) + 0.5);
    return FromDayNumber(static_cast<int>(nearest));
}

std::optional<CalendarDate> CalendarDate::Parse(std::string_view text) {
    int year = 0, month = 0, day = 0;
    bool read = false;
    if (text.size() == 8)
        read = digits(text, 0, 4, year) && digits(text, 4, 2, month) && digits(text, 6, 2, day);
    else if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        read = digits(text, 0, 4, year) && digits(text, 5, 2, month) && digits(text, 8, 2, day);
    if (!read)
        return std::nullopt;
    const CalendarDate date = FromParts(year, month, day);
    if (!date.IsValid())
        return std::nullopt;
    return date;
}

int CalendarDate::Year() const {
    return IsValid() ? Midnight().Year() : DateTime::Error;
}

int CalendarDate::Month() const {
    return IsValid() ? Midnight().Month() : DateTime::Error;
}

int CalendarDate::Day() const {
    return IsValid() ? Midnight().Day() : DateTime::Error;
}

int CalendarDate::DayOfWeek() const {
    return IsValid() ? Midnight().DayOfWeek() : DateTime::Error;
}

DateTime CalendarDate::Midnight() const {
    return IsValid() ? DateTime::FromDouble(m_day) : DateTime();
}

std::string CalendarDate::Compact() const {
    const CalendarRecord r = Midnight().ToCalendarRecord();
    if (!IsValid() || r.year == 0)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", r.year, r.month, r.day);
    return text;
}

std::string CalendarDate::Iso() const {
    const CalendarRecord r = Midnight().ToCalendarRecord();
    if (!IsValid() || r.year == 0)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", r.year, r.month, r.day);
    return text;
}

CalendarDate CalendarDate::operator+(int days) const {
    if (!IsValid())
        return {};
    return FromDayNumber(static_cast<int>(static_cast<double>(m_day) + days));
}
