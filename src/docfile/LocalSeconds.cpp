#include "LocalSeconds.h"

#include "core/DateTime.h"

#include <ctime>

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool utcOffset(std::int64_t seconds, long& offset) {
    const auto moment = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!localtime_r(&moment, &parts))
        return false;
    offset = parts.tm_gmtoff;
    return true;
}

} // namespace

std::int64_t LocalSeconds(const DateTime& value) {
    const CalendarRecord r = value.ToCalendarRecord();
    if (r.year == 0)
        return value.ToSeconds();
    // The local time read as if it were UTC, then moved by the zone's offset at that moment. When
    // the offset is the same two days either side, no change is near and the answer is exact.
    const std::int64_t wallClock =
        daysFromCivil(r.year, r.month, r.day) * 86400 + r.hour * 3600 + r.minute * 60 + r.second;
    long guess = 0, offset = 0, before = 0, after = 0;
    if (!utcOffset(wallClock, guess) || !utcOffset(wallClock - guess, offset) ||
        !utcOffset(wallClock - guess - 2 * 86400, before) || !utcOffset(wallClock - guess + 2 * 86400, after) ||
        offset != guess || before != offset || after != offset)
        return value.ToSeconds();
    const std::int64_t seconds = wallClock - offset;
    return seconds < 0 ? -1 : seconds;
}
