#include "LocalSeconds.h"

#include "core/DateTime.h"

#include <ctime>

namespace {

constexpr std::int64_t kDay = 86400;

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

LocalSeconds::DayOffset LocalSeconds::OffsetOfDay(std::int64_t day) {
    const auto found = m_days.find(day);
    if (found != m_days.end())
        return found->second;
    // Every moment that some local time of this day could stand for lies within 14 hours of the
    // day. The offset is taken three days either side and in the middle: zones change it a few
    // times a year at most, so when all three agree it holds for the whole stretch, and each local
    // time of the day names exactly one moment.
    const std::int64_t noon = day * kDay + kDay / 2;
    long before = 0, middle = 0, after = 0;
    DayOffset result;
    if (utcOffset(noon - 3 * kDay, before) && utcOffset(noon, middle) && utcOffset(noon + 3 * kDay, after) &&
        before == middle && middle == after)
        result = {true, middle};
    m_days.emplace(day, result);
    return result;
}

std::int64_t LocalSeconds::operator()(const DateTime& value) {
    const CalendarRecord r = value.ToCalendarRecord();
    if (r.year == 0)
        return value.ToSeconds();
    const std::int64_t day = daysFromCivil(r.year, r.month, r.day);
    const DayOffset offset = OffsetOfDay(day);
    if (!offset.steady)
        return value.ToSeconds();
    return day * kDay + r.hour * 3600 + r.minute * 60 + r.second - offset.offset;
}
